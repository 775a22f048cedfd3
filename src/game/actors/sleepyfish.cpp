#include "game/actors/sleepyfish.h"

#include <cmath>

#include "flow/game_app.h"
#include "game/actors/contact.h"
#include "game/actors/player.h"
#include "game/actors/tile_grid.h"

namespace {

using namespace tile_grid;

const int kAsleepFrame = 0, kAwakeFrame = 1;
const float kRowBandPx = 40.0f;
const float kDashSpeed = 300.0f;  // px/s
const float kHomeSpeed = 100.0f;  // px/s
const float kSulkS = 2.0f;
const float kBitePx = 64.0f;
const int kSlideLeft = 0;

}  // namespace

Sleepyfish::Sleepyfish() {
  loadArt("sleepyfish.dat");
  frame = kAsleepFrame;
}

void Sleepyfish::step(float dt) {
  Actor::step(dt);
  if (GameApp::instance->paused) return;
  hurtPlayerWithin(x, y, kBitePx);
  if (trapTimer > 0.0f) return;
  bob.update(dt);
  cameraOffsetY = bob.pixels();
  if (!awake) {
    if (seesPlayerOnLeft()) wakeAndDash();
  } else if (dashing()) {
    if (!moving) arriveAtWall();
  } else if (napTimer > 0.0f) {
    napTimer -= dt;
    if (napTimer <= 0.0f) swimHome();
  } else if (!moving) {
    fallAsleep();
  }
}

bool Sleepyfish::seesPlayerOnLeft() const {
  const Player* player = livingPlayer();
  if (!player || player->x >= x || std::fabs(player->y - y) >= kRowBandPx) return false;
  GameApp& app = *GameApp::instance;
  for (int column = tileOf(player->x) + 1; column < tileX(); ++column)
    if (app.isSolidTile(column, tileY())) return false;
  return true;
}

void Sleepyfish::wakeAndDash() {
  homeX = static_cast<int>(x);
  awake = 1;
  frame = kAwakeFrame;
  untrappable = 1;
  hFlip = false;
  GameApp::instance->slideActor(kSlideLeft, this, kDashSpeed);
}

void Sleepyfish::arriveAtWall() {
  untrappable = 0;
  napTimer = kSulkS;
}

void Sleepyfish::swimHome() {
  hFlip = true;
  moveTo(static_cast<float>(homeX), y, kHomeSpeed);
}

void Sleepyfish::fallAsleep() {
  awake = 0;
  frame = kAsleepFrame;
  hFlip = false;
}
