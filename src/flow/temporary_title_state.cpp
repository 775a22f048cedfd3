#include "flow/temporary_title_state.h"

#include <allegro.h>

#include "engine/screen.h"
#include "engine/sprite.h"
#include "engine/text_label.h"
#include "flow/game_app.h"
#include "sound/sound_manager.h"

namespace {

const float kFadeSeconds = 0.5f;
const int kChoiceTop = -75;      // from the screen centre
const int kChoiceSpacing = 34;
const int kMaxChoices = 5;
const int kOverlayLayer = 4;

// One choice: its label and either an action word or a page to show.
struct Choice {
  const char* page;
  const char* label;
  const char* action;
  const char* linkTo;
};

const Choice kChoices[] = {
    {"Main", "Play!", "start", nullptr},
    {"Main", "MiniGames", nullptr, "MiniGames"},
    {"Main", "Credits", "credits", nullptr},
    {"Main", "Quit", "quit", nullptr},
    {"MiniGames", "Shell Game", "LEVEL:1000", nullptr},
    {"MiniGames", "Gulpy Go Boom", "LEVEL:1001", nullptr},
    {"MiniGames", "Dance Dance Gulpy", "LEVEL:1002", nullptr},
    {"MiniGames", "Gulpy Invaders", "LEVEL:1003", nullptr},
    {"MiniGames", "Back", nullptr, "Main"},
    {"BadMiniGame", "Mini Game Locked!", nullptr, "MiniGames"},
    {"BadMiniGame", "Beat More Levels to Unlock", nullptr, "MiniGames"},
};

std::vector<const Choice*> choicesOf(const std::string& page) {
  std::vector<const Choice*> found;
  for (const Choice& choice : kChoices) {
    if (page == choice.page) found.push_back(&choice);
  }
  return found;
}

Sprite* titleSprite(int frame, int x, int y) {
  auto* sprite = new Sprite;
  sprite->datafile.open("title.dat");
  sprite->frame = static_cast<float>(frame);
  sprite->anchor = 1;
  sprite->setPosition(x, y);
  return sprite;
}

}  // namespace

void TemporaryTitleState::enter() {
  GameApp& app = *GameApp::instance;
  Screen& screen = *app.screen;
  int cx = screen.width / 2, cy = screen.height / 2;
  app.sound->playMusic("mus/title.ogg", true);
  screen.snapshot();
  app.noClear = false;

  auto* backdrop = new Sprite;
  backdrop->datafile.open("bg0.dat");
  backdrop->anchor = 1;
  backdrop->setPosition(cx, cy);
  addSprite(backdrop, 0);
  addSprite(titleSprite(0, cx - 150, cy - 180), kOverlayLayer);
  addSprite(titleSprite(1, cx + 100, cy + 200), kOverlayLayer);

  labels.clear();
  for (int i = 0; i < kMaxChoices; ++i) {
    auto* label = new TextLabel;
    label->anchor = 1;
    label->setPosition(cx, cy + kChoiceTop + i * kChoiceSpacing);
    addSprite(label, kOverlayLayer);
    labels.push_back(label);
  }
  unbindAll();
  bindKey("up", KEY_UP);
  bindKey("down", KEY_DOWN);
  bindKey("choose", KEY_ENTER);
  bindKey("choose", KEY_SPACE);
  showPage("Main");
  crossFade(kFadeSeconds);
}

void TemporaryTitleState::leave() {
  GameApp::instance->screen->waterEffect = false;
  labels.clear();
}

void TemporaryTitleState::showPage(const std::string& pageName) {
  // Pages of the real menu that this stand-in lacks (options, profiles)
  // fall back to the main page rather than leave an empty one.
  page = choicesOf(pageName).empty() ? "Main" : pageName;
  cursor = 0;
  refresh();
}

void TemporaryTitleState::refresh() {
  std::vector<const Choice*> choices = choicesOf(page);
  for (size_t i = 0; i < labels.size(); ++i) {
    TextLabel& label = *labels[i];
    label.text = i < choices.size() ? choices[i]->label : "";
    // A band across the screen marks the chosen line.
    label.backdrop = static_cast<int>(i) == cursor;
  }
}

void TemporaryTitleState::onAction(const std::string& action, bool pressed) {
  if (!pressed) return;
  int count = static_cast<int>(choicesOf(page).size());
  if (count == 0) return;
  if (action == "up") cursor = (cursor + count - 1) % count;
  if (action == "down") cursor = (cursor + 1) % count;
  if (action == "up" || action == "down") {
    GameApp::instance->sound->playSample("bubble", 255, 0, 1000, false);
    refresh();
  }
  if (action == "choose") choose();
}

void TemporaryTitleState::choose() {
  std::vector<const Choice*> choices = choicesOf(page);
  if (cursor >= static_cast<int>(choices.size())) return;
  const Choice& choice = *choices[cursor];
  GameApp::instance->sound->playSample("bubblehit", 255, 0, 1000, false);
  if (choice.linkTo) {
    showPage(choice.linkTo);
  } else {
    queueAction(choice.action);
  }
}
