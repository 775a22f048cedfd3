#include "game/actors/player.h"

#include <allegro.h>

#include "engine/log.h"
#include "engine/screen.h"
#include "flow/game_app.h"
#include "sound/sound_manager.h"

namespace {

const struct {
  const char* action;
  int code;
} kDefaultKeys[] = {
    {"up", KEY_UP}, {"down", KEY_DOWN}, {"left", KEY_LEFT}, {"right", KEY_RIGHT}, {"fire", KEY_SPACE},
};

const float kRestartDelayS = 2.0f;
const float kFloatUpSpeed = 100.0f;  // px/s, the dead fish drifting off the top
const float kFloatUpTargetY = -10.0f;
const float kPlungerFadeInS = 1.0f;
const int kGearLayer = 3;  // the plunger and the shot, in front of the creatures

}  // namespace

Player::Player(int bubbleLimit) : bubbles(bubbleLimit) {
  anchor = 1;
  shot.anchor = 1;
  shot.visible = false;
  plunger.anchor = 1;
  plunger.visible = false;
  ride.visible = false;
  bobTween.setUpdatee(&bobOffset);
  bindDefaultKeys();
}

Player::~Player() {
  GameApp* app = GameApp::instance;
  if (!app || !app->screen) return;
  for (Drawable* part : {static_cast<Drawable*>(&shot), static_cast<Drawable*>(&plunger),
                         static_cast<Drawable*>(&ride)}) {
    for (int layer = 0; layer < static_cast<int>(app->screen->layers.size()); ++layer)
      app->screen->removeFromLayer(part, layer);
  }
}

void Player::onAction(const std::string&, bool) {}

void Player::hurt() {
  GameApp& app = *GameApp::instance;
  if (dead || app.levelWon || miniGameLock) return;
  dead = 1;
  hFlip = false;
  vFlip = true;
  frame = 0.0f;
  stopAnimating();
  unbindAll();
  if (!hopMode) moveTo(x, kFloatUpTargetY, kFloatUpSpeed);
  if (app.sound) app.sound->playSample("ow", 255, 128, 1000, false);
  app.restartTimer = kRestartDelayS;
}

void Player::armPlunger() {
  GameApp& app = *GameApp::instance;
  plungerArmed = 1;
  hFlip = true;
  plunger.datafile.open("plunger.dat");
  plunger.visible = true;
  plunger.alpha = 0.0f;
  plunger.alphaInterp.start(255.0f, kPlungerFadeInS, 0);
  app.screen->addToLayer(&plunger, kGearLayer);
}

void Player::bindDefaultKeys() {
  unbindAll();
  for (const auto& binding : kDefaultKeys) bindKey(binding.action, binding.code);
}

void Player::loadKeyConfig(const std::string& path) {
  bindDefaultKeys();
  if (exists(path.c_str())) {
    load(path);
    return;
  }
  logInfo("Could not find keyconfig. Creating from default data.");
  save(path);
}
