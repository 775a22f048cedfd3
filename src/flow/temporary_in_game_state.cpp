#include "flow/temporary_in_game_state.h"

#include <allegro.h>

#include <algorithm>

#include "engine/screen.h"
#include "engine/sprite.h"
#include "engine/text_label.h"
#include "flow/game_app.h"
#include "game/actors/player.h"
#include "sound/sound_manager.h"

namespace {

const float kFadeSeconds = 0.2f;
const int kPlaceholderLayer = 3;  // under the overlays of layer 4
const int kLineSpacing = 30;
const int kLastBackdrop = 4;  // "bg0.dat" .. "bg4.dat", ten levels each
const int kFirstMiniGame = 1000;
const int kPerfectBonusCoins = 20;
const float kHoldPause = 999.0f;  // the 100% screen keeps the level paused
const int kMaxLevelSeconds = 599;

std::string levelName(int level) {
  if (level >= kFirstMiniGame) return "Mini-game " + std::to_string(level - kFirstMiniGame + 1);
  return "Level " + std::to_string(level + 1);
}

}  // namespace

void TemporaryInGameState::enter() {
  GameApp& app = *GameApp::instance;
  app.levelTime = 0.0f;
  app.levelWon = 0;
  addStateAction("pushHelpText", KEY_F1);
  addStateAction("pushPowerupShop", KEY_F5);
  addStateAction("pushPowerupShop", KEY_TAB);
  addStateAction("skipLevel", KEY_S);
  addStateAction(app.currentLevel >= kFirstMiniGame ? "JUMPSTATE:title" : "JUMPSTATE:levelSelect", KEY_ESC);
  app.screen->waterEffect = app.waterEffect != 0;
  app.paused = 0;
  app.screen->setCameraTarget(&app.camera);
  app.requiredCoins = 0;
  app.levelWidth = app.screen->width;
  app.levelHeight = app.screen->height;
  app.screen->snapshot();
  app.createPlayer();
  app.player->setPosition(app.screen->width / 2, app.screen->height / 2);
  if (app.currentLevel >= 50 && app.currentLevel <= 999) {
    queueAction("JUMPSTATE:eog");
    return;
  }
  buildPlaceholder(app.currentLevel);
  unbindAll();
  bindKey("finish", KEY_ENTER);
  bindKey("perfect", KEY_P);
  app.followCamera();
  crossFade(kFadeSeconds);
}

void TemporaryInGameState::buildPlaceholder(int level) {
  Screen& screen = *GameApp::instance->screen;
  int cx = screen.width / 2, cy = screen.height / 2;
  int backdropIndex = level >= kFirstMiniGame ? 0 : std::clamp(level / 10, 0, kLastBackdrop);
  addSprite(newSprite("bg" + std::to_string(backdropIndex) + ".dat", 0, 1, cx, cy), 0);
  const std::string lines[] = {levelName(level), "(this level is still being built)",
                               "Enter: finish   P: finish with 100%   S: skip",
                               "F1: help   Tab: shop   Esc: leave"};
  for (int i = 0; i < 4; ++i) {
    auto* label = new TextLabel(lines[i]);
    label->anchor = 1;
    label->backdrop = i == 0;
    label->setPosition(cx, cy - kLineSpacing + i * kLineSpacing + (i > 0 ? kLineSpacing / 2 : 0));
    addSprite(label, kPlaceholderLayer);
  }
}

void TemporaryInGameState::leave() {
  GameApp& app = *GameApp::instance;
  app.levelWon = 0;
  app.timeScale = 1.0f;
  app.hearts = app.maxHearts = 0;
  app.screen->waterEffect = false;
  app.screen->setCameraTarget(nullptr);
  app.player = nullptr;  // destroyed with this state's sprites
  app.paused = 0;
  app.pauseCountdown = 0.0f;
}

void TemporaryInGameState::update(float dt) {
  GameState::update(dt);
  GameApp& app = *GameApp::instance;
  if (app.pauseCountdown > 0.0f) {
    app.pauseCountdown -= dt;
    if (app.pauseCountdown <= 0.0f) {
      app.pauseCountdown = 0.0f;
      app.paused = 0;
    }
  }
  if (!app.paused && !app.levelWon) app.levelTime = std::min(app.levelTime + dt, 1.0f * kMaxLevelSeconds);
}

void TemporaryInGameState::onAction(const std::string& action, bool pressed) {
  GameApp& app = *GameApp::instance;
  if (!pressed || app.paused || app.levelWon) return;
  if (action == "finish") finish(false);
  if (action == "perfect") finish(true);
}

void TemporaryInGameState::finish(bool perfect) {
  GameApp& app = *GameApp::instance;
  app.levelWon = 1;
  app.sound->playSample("levelcomplete", 255, 128, 1000, false);
  if (app.currentLevel < kFirstMiniGame) app.levelsBeaten = std::max(app.levelsBeaten, app.currentLevel + 1);
  bool newPerfect = perfect && app.ratings[app.currentLevel] != 100;
  if (perfect) app.ratings[app.currentLevel] = 100;
  if (newPerfect) app.coins += kPerfectBonusCoins;
  app.currentLevel += 1;
  if (!newPerfect) {
    app.endLevel();
    return;
  }
  app.paused = 1;
  app.pauseCountdown = kHoldPause;
  app.pushState("100%");
}
