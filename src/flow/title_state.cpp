#include "flow/title_state.h"

#include <allegro.h>

#include "engine/screen.h"
#include "engine/sprite.h"
#include "flow/display_option_lines.h"
#include "flow/game_app.h"
#include "flow/sound_option_lines.h"
#include "game/actors/player.h"
#include "menu/menu.h"
#include "menu/slider_entry.h"
#include "menu/text_input_entry.h"
#include "sound/sound_manager.h"

namespace {

const int kBackgroundLayer = 0;
const int kOverlayLayer = 4;
const float kFadeSeconds = 0.5f;
const float kSettleSeconds = 50.0f;  // the menu starts with its tweens done
const int kMenuRaise = 75;           // pixels above the screen centre
const int kNameTextOffset = 70;  // pixels from the "Name:" label to the text
const char* const kNewProfileName = "NewProfile";

struct PageLine {
  const char* label;
  const char* action;
};

// Pages whose lines are plain action words, in table order.
const PageLine kMainPage[] = {{"Play!", "start"},           {"Options", "LINKTO:Options"},
                              {"Profiles", "LINKTO:NewProfile"}, {"MiniGames", "LINKTO:MiniGames"},
                              {"Credits", "credits"},          {"Quit", "quit"}};
const PageLine kMiniGamesPage[] = {{"Shell Game", "LEVEL:1000"},
                                   {"Gulpy Go Boom", "LEVEL:1001"},
                                   {"Dance Dance Gulpy", "LEVEL:1002"},
                                   {"Gulpy Invaders", "LEVEL:1003"},
                                   {"Back", "LINKTO:Main"}};
const PageLine kBadMiniGamePage[] = {{"Mini Game Locked!", "LINKTO:MiniGames"},
                                     {"Beat More Levels to Unlock", "LINKTO:MiniGames"}};

// The key-binding lines: label and the player's input action.
const PageLine kKeyConfigLines[] = {
    {"Up", "up"}, {"Down", "down"}, {"Left", "left"}, {"Right", "right"}, {"Action", "fire"}};

template <size_t N>
void addLines(Menu& menu, const char* page, const PageLine (&lines)[N]) {
  for (const PageLine& line : lines) menu.addEntry(page, line.label, line.action, nullptr, -1, 0);
}

GameApp& game() { return *GameApp::instance; }

}  // namespace

void TitleState::enter() {
  GameApp& app = game();
  app.player = new Player(app.bubbleLimit);
  app.loadPlayerKeys();
  addSprite(app.player, -1);  // owned here, never drawn
  if (app.sound) app.sound->playMusic("mus/title.ogg", true);
  app.screen->snapshot();
  app.noClear = false;
  addArt();
  app.newProfileName = kNewProfileName;
  app.titleMenu = buildMenu();
  app.titleMenu->showPage("Main");
  app.titleMenu->update(kSettleSeconds);
  addSprite(app.titleMenu, kOverlayLayer);
  crossFade(kFadeSeconds);
}

void TitleState::addArt() {
  const Screen& screen = *game().screen;
  int cx = screen.width / 2, cy = screen.height / 2;
  struct Art {
    const char* datafile;
    int frame, x, y, layer;
  };
  const Art pieces[] = {{"title.dat", 0, cx - 150, cy - 180, kOverlayLayer},
                        {"title.dat", 1, cx + 100, cy + 200, kOverlayLayer},
                        {"bg0.dat", 0, cx, cy, kBackgroundLayer}};
  for (const Art& art : pieces) addSprite(newSprite(art.datafile, art.frame, 1, art.x, art.y), art.layer);
}

Menu* TitleState::buildMenu() {
  const Screen& screen = *game().screen;
  auto* menu = new Menu;
  menu->anchor = 1;
  menu->setPosition(screen.width / 2, screen.height / 2 - kMenuRaise);
  menu->actionHandler = [this](const std::string& action) { queueAction(action); };
  menu->moveSound = "bubble";
  menu->activateSound = "bubblehit";
  menu->escapeGoesBack = true;
  addMainPages(*menu);
  addOptionPages(*menu);
  addProfilePages(*menu);
  return menu;
}

void TitleState::addMainPages(Menu& menu) {
  addLines(menu, "Main", kMainPage);
  addLines(menu, "MiniGames", kMiniGamesPage);
  addLines(menu, "BadMiniGame", kBadMiniGamePage);
}

void TitleState::addOptionPages(Menu& menu) {
  GameApp& app = game();
  addSoundAndWaterLines(menu, "Options");
  menu.addToggle("Options", "Resolution", "", &app.highResolution, "High", "Low",
                 [this] { onResolutionChanged(); });
  menu.addToggle("Options", "Fullscreen", "", &app.fullScreen, "On", "Off",
                 [this] { onFullscreenChanged(); });
  menu.addEntry("Options", "Display", "LINKTO:Display", nullptr, -1, 0);
  addGhostLine(menu, "Options");
  menu.addEntry("Options", "Key Config", "LINKTO:KeyConfig", nullptr, -1, 0);
  menu.addEntry("Options", "Back", "exitOptionsMenu", nullptr, -1, 0);
  addDisplayPage(menu);
  addGamepadPage(menu);

  for (const PageLine& line : kKeyConfigLines) {
    menu.addKeyCapture("KeyConfig", line.label, app.player, line.action, "");
  }
  menu.addEntry("KeyConfig", "Gamepad", "LINKTO:Gamepad", nullptr, -1, 0);
  menu.addEntry("KeyConfig", "Reset", "resetKeyConfig", nullptr, -1, 0);
  menu.addEntry("KeyConfig", "Back", "saveKeyConfig", nullptr, -1, 0);
}

void TitleState::addProfilePages(Menu& menu) {
  GameApp& app = game();
  for (const std::string& profile : app.profiles) {
    menu.addEntry("NewProfile", profile, "SETPROFILE:" + profile, nullptr, -1, 0);
  }
  menu.addEntry("NewProfile", "Create New", "LINKTO:CreateNew", nullptr, -1, 0);
  menu.addEntry("NewProfile", "Delete...", "LINKTO:DeleteProfile", nullptr, -1, 0);
  menu.addEntry("NewProfile", "Back", "LINKTO:Main", nullptr, -1, 0);

  // The name is typed at once, over the suggested one.
  TextInputEntry* name = menu.addTextInput(&app.newProfileName, "CreateNew", "Name:", "", kNameTextOffset);
  name->typesWhenHighlighted = true;
  menu.addEntry("CreateNew", "Create", "createNewProfile", nullptr, -1, 0);
  menu.addEntry("CreateNew", "Back", "LINKTO:NewProfile", nullptr, -1, 0);

  for (const std::string& profile : app.profiles) {
    menu.addEntry("DeleteProfile", "Delete: " + profile, "DELPROFILE:" + profile, nullptr, -1, 0);
  }
  menu.addEntry("DeleteProfile", "Back", "LINKTO:NewProfile", nullptr, -1, 0);
}

void TitleState::update(float dt) {
  GameState::update(dt);
  GameApp& app = game();
  app.highResolution = app.settings["resx"] == 800.0f;
  app.fullScreen = app.settings["fullscreen"] != 0.0f;
}

void TitleState::onResolutionChanged() {
  GameApp& app = game();
  app.settings["resx"] = app.highResolution ? 800.0f : 640.0f;
  app.settings["resy"] = app.highResolution ? 600.0f : 480.0f;
  app.screen->changeResolution(static_cast<int>(app.settings["resx"]),
                               static_cast<int>(app.settings["resy"]));
  app.applyWindowSize();
  app.onDisplayModeChanged();
  queueAction("JUMPSTATE:title");
}

void TitleState::onFullscreenChanged() {
  GameApp& app = game();
  app.settings["fullscreen"] = app.fullScreen ? 1.0f : 0.0f;
  app.toggleFullscreen();
  app.onDisplayModeChanged();
}

void TitleState::leave() {
  GameApp& app = game();
  app.screen->waterEffect = false;
  // The stack record destroys the player and the menu with the state.
  app.player = nullptr;
  app.titleMenu = nullptr;
}
