#include "flow/temporary_level_select_state.h"

#include <allegro.h>

#include <algorithm>

#include "engine/screen.h"
#include "engine/sprite.h"
#include "engine/text_label.h"
#include "flow/game_app.h"
#include "sound/sound_manager.h"

namespace {
const float kFadeSeconds = 0.3f;
const int kLastStoryLevel = 49;
const int kOverlayLayer = 4;
const int kLineSpacing = 34;
}  // namespace

void TemporaryLevelSelectState::enter() {
  GameApp& app = *GameApp::instance;
  Screen& screen = *app.screen;
  int cx = screen.width / 2, cy = screen.height / 2;
  screen.snapshot();
  app.selectedLevel = std::clamp(app.selectedLevel, 0, highestLevel());

  auto* backdrop = new Sprite;
  backdrop->datafile.open("bg0.dat");
  backdrop->anchor = 1;
  backdrop->setPosition(cx, cy);
  addSprite(backdrop, 0);

  auto* heading = new TextLabel("Choose a level");
  heading->anchor = 1;
  heading->backdrop = true;
  heading->setPosition(cx, cy - 2 * kLineSpacing);
  addSprite(heading, kOverlayLayer);
  levelLabel = new TextLabel;
  levelLabel->anchor = 1;
  levelLabel->setPosition(cx, cy - kLineSpacing / 2);
  addSprite(levelLabel, kOverlayLayer);
  auto* hint = new TextLabel("Left / Right to choose, Enter to play, Esc for the title");
  hint->anchor = 1;
  hint->backdrop = true;
  hint->setPosition(cx, cy + kLineSpacing);
  addSprite(hint, kOverlayLayer);

  unbindAll();
  bindKey("left", KEY_LEFT);
  bindKey("right", KEY_RIGHT);
  bindKey("play", KEY_ENTER);
  bindKey("play", KEY_SPACE);
  bindKey("back", KEY_ESC);
  refresh();
  crossFade(kFadeSeconds);
}

void TemporaryLevelSelectState::leave() { levelLabel = nullptr; }

int TemporaryLevelSelectState::highestLevel() const {
  return std::min(GameApp::instance->levelsBeaten, kLastStoryLevel);
}

void TemporaryLevelSelectState::refresh() {
  if (levelLabel) levelLabel->text = "< Level " + std::to_string(GameApp::instance->selectedLevel + 1) + " >";
}

void TemporaryLevelSelectState::onAction(const std::string& action, bool pressed) {
  if (!pressed) return;
  GameApp& app = *GameApp::instance;
  int before = app.selectedLevel;
  if (action == "left") app.selectedLevel = std::max(0, app.selectedLevel - 1);
  if (action == "right") app.selectedLevel = std::min(highestLevel(), app.selectedLevel + 1);
  if (app.selectedLevel != before) {
    app.sound->playSample("bubble", 255, 0, 1000, false);
    refresh();
  }
  if (action == "play") queueAction("LEVEL:" + std::to_string(app.selectedLevel));
  if (action == "back") queueAction("JUMPSTATE:title");
}
