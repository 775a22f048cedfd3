#include "game/actors/sharky.h"

#include <algorithm>

#include "flow/game_app.h"
#include "game/actors/contact.h"
#include "game/actors/player.h"

namespace {

const int kSwimFrames = 20;
const float kSwimLoopS = 0.7f;
const int kDepthBias = 1000;  // in front of everything else in the water
const int kChasedSwimSpeed = 510;  // px/s, the fish's speed while hunted
const float kBitePx = 80.0f;

}  // namespace

Sharky::Sharky() {
  loadArt("sharky.dat");
  playAnimation("shark", 0, kSwimFrames, kSwimLoopS, -1, false, 0.0f);
  untrappable = 1;
  depthBias = kDepthBias;
  hFlip = true;
  GameApp* app = GameApp::instance;
  if (app && app->player) app->player->setSwimSpeed(kChasedSwimSpeed);
}

void Sharky::step(float dt) {
  Actor::step(dt);
  GameApp& app = *GameApp::instance;
  if (app.paused || !app.player) return;
  x = approach(x, app.player->x, speed * dt);
  y = approach(y, app.player->y, speed * 0.5f * dt);
  hurtPlayerWithin(x, y, kBitePx);
}

float Sharky::approach(float from, float to, float maxStep) {
  if (from < to) return std::min(from + maxStep, to);
  return std::max(from - maxStep, to);
}
