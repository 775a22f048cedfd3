#include "flow/game_app.h"

#include <allegro.h>

#include <algorithm>
#include <csignal>

#include "engine/datafile_cache.h"
#include "engine/log.h"
#include "engine/screen.h"
#include "flow/cut_scene_state.h"
#include "flow/level_select_state.h"
#include "flow/logo_state.h"
#include "flow/powerup_shop_state.h"
#include "flow/run_records.h"
#include "flow/title_state.h"
#include "game/in_game_state.h"
#include "game/actors/player.h"
#include "sound/sound_manager.h"

namespace {

const char* const kFatalMessage =
    "Fatal Error: Please contact Calloway Arcade https://www.talvenor.net/support/tidewell";
const char* const kWindowTitle = "Tidewell Quest by Talvenor";
const int kLayerCount = 5;
const int kHudY = 20;

// Set from Allegro's window thread; read by the main loop.
volatile int closeRequested = 0;
// Set by SIGTERM or SIGINT (a logout, Ctrl+C); read by the main loop.
volatile sig_atomic_t terminateRequested = 0;

void onTerminateSignal(int) { terminateRequested = 1; }

}  // namespace

GameApp* GameApp::instance = nullptr;

void GameApp::onCloseButton() { closeRequested = 1; }

bool GameApp::quitPending() { return closeRequested || terminateRequested; }

GameApp::GameApp() : runs(std::make_unique<RunRecords>(*this)) {
  instance = this;
  restrictResolution = true;
  useMouse = false;
  setFatalMessage(kFatalMessage);
  setFatalMode(true);
}

GameApp::~GameApp() {
  if (instance == this) instance = nullptr;
}

void GameApp::init() {
  Engine::init();
  if (!screen || !screen->ready()) return;
  initGame();
}

void GameApp::initGame() {
  highResolution = settings["resx"] == 800.0f;
  fullScreen = settings["fullscreen"] != 0.0f;
  noClear = true;

  DatafileCache::instance().setDirectory("dat/");
  set_window_title(kWindowTitle);
  closeRequested = 0;
  LOCK_VARIABLE(closeRequested);
  set_close_button_callback(&GameApp::onCloseButton);
  // After Allegro's own handlers, which would abort: the game ends as
  // "quit" does instead.
  terminateRequested = 0;
  std::signal(SIGTERM, onTerminateSignal);
  std::signal(SIGINT, onTerminateSignal);

  screen->layers.resize(kLayerCount);
  screen->layers[0].followsCamera = false;
  screen->layers[kLayerCount - 1].followsCamera = false;

  registerStates();
  loadProfileList();
  loadProfile();
  font.open("font.dat");
  onDisplayModeChanged();
  if (FONT* gameFontObject = gameFont()) ::font = gameFontObject;
  sound->loadSamples("sfx/", ".ogg");
  loadInterfaceArt();
  if (launchLevel >= 0) {
    currentLevel = launchLevel;
    switchState("inGame");
    return;
  }
  switchState("logo");
}

void GameApp::registerStates() {
  ownedStates.push_back(std::make_unique<TitleState>());
  ownedStates.push_back(std::make_unique<PowerupShopState>());
  ownedStates.push_back(std::make_unique<InGameState>());
  ownedStates.push_back(std::make_unique<LevelSelectState>());
  ownedStates.push_back(std::make_unique<LogoState>());
  ownedStates.push_back(std::make_unique<CutSceneState>());
  for (auto& state : ownedStates) addState(state.get());
}

void GameApp::loadInterfaceArt() {
  hudSprite.datafile.open("hud.dat");
  hudSprite.anchor = 1;
  hudSprite.setPosition(screen->width / 2, kHudY);
  heartSprite.datafile.open("heart.dat");
  helpSprite.datafile.open("help.dat");
  powerupSprite.datafile.open("powerups.dat");
}

FONT* GameApp::gameFont() {
  if (!font.isLoaded) return nullptr;
  return static_cast<FONT*>(font.get(0));
}

void GameApp::onDisplayModeChanged() {
  if (font.isLoaded) set_palette(static_cast<RGB*>(font.get(1)));
}

void GameApp::update(float dt) {
  actorIndex.invalidate();  // flags may have changed since the last frame
  saveFailedNotice = std::max(0.0f, saveFailedNotice - dt);
  camera.update(dt);
  runs->beforeUpdate(dt);
  Engine::update(dt);
  runs->afterUpdate(dt);
  // The close button and a termination signal quit even where actions are
  // ignored (the end screen).
  if (quitPending()) {
    closeRequested = 0;
    terminateRequested = 0;
    onQuit("quit", true);
  }
  if (restartTimer > 0.0f) {
    restartTimer -= dt;
    if (restartTimer <= 0.0f) {
      restartTimer = 0.0f;
      switchState("inGame");
      return;
    }
  }
  followCamera();
}

void GameApp::updateStateByName(const std::string& name, float dt) {
  if (name != "100%" && name != "eog") return;
  levelEndDelay = std::max(0.0f, levelEndDelay - dt);
}

void GameApp::endLevel() {
  if (currentLevel < kFirstMiniGameLevel) {
    switchState("inGame");
  } else {
    switchState("title");
  }
}
