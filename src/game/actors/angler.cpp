#include "game/actors/angler.h"

#include "flow/game_app.h"
#include "game/actors/contact.h"
#include "game/actors/player.h"
#include "game/vector2.h"
#include "game/actors/tile_grid.h"

namespace {

using namespace tile_grid;

const int kLanternFrame = 10;
const float kLanternDimAlpha = 64.0f, kLanternBrightAlpha = 128.0f;
const float kLanternPulseS = 0.4f;
const float kLanternAheadPx = 68.0f, kLanternAbovePx = 32.0f;
const int kSwimFrames = 9;
const float kSwimLoopS = 1.0f;
const float kChaseSpeed = 250.0f;   // px/s
const float kPatrolSpeed = 150.0f;  // px/s
const float kChaseBiteSq = 4096.0f;      // 64 px
const float kChaseSightSq = 90001.0f;    // a little over 300 px
const float kPatrolBitePx = 60.0f;
const float kPatrolSpotSq = 26896.0f;    // 164 px
const float kFacingSlackPx = 2.0f;
const int kSlideLeft = 0, kSlideRight = 1;

}  // namespace

Angler::Angler() {
  loadArt("angler.dat");
  playAnimation("swim", 0, kSwimFrames, kSwimLoopS, -1, false, 0.0f);
  lantern.datafile.open("angler.dat");
  lantern.frame = kLanternFrame;
  lantern.anchor = 1;
  lantern.alpha = kLanternDimAlpha;
  lantern.alphaInterp.pingPong = true;
  lantern.alphaInterp.start(kLanternBrightAlpha, kLanternPulseS, -1);
}

void Angler::step(float dt) {
  Actor::step(dt);
  GameApp& app = *GameApp::instance;
  if (app.paused) return;
  lantern.step(dt);
  if (trapTimer > 0.0f || !app.player) return;
  if (chasing) chase(dt);
  else patrol();
}

void Angler::chase(float dt) {
  const Player& player = *GameApp::instance->player;
  Vector2 toPlayer = Vector2(player.x - x, player.y - y).scaledTo(kChaseSpeed * dt);
  moveAvoidingWalls(x + toPlayer.x, y + toPlayer.y);
  hFlip = x - kFacingSlackPx <= player.x;
  float distanceSq = squaredDistance(x, y, player.x, player.y);
  if (distanceSq < kChaseBiteSq) {
    if (Player* living = livingPlayer()) living->hurt();
  } else if (distanceSq >= kChaseSightSq) chasing = 0;
}

void Angler::moveAvoidingWalls(float newX, float newY) {
  GameApp& app = *GameApp::instance;
  if (!app.isSolidTile(tileOf(newX), tileOf(newY))) {
    x = newX;
    y = newY;
  } else if (!app.isSolidTile(tileOf(x), tileOf(newY))) {
    y = newY;
  } else if (!app.isSolidTile(tileOf(newX), tileOf(y))) {
    x = newX;
  }
}

void Angler::patrol() {
  GameApp& app = *GameApp::instance;
  if (!moving) {
    app.slideActor(patrolDirection == 0 ? kSlideLeft : kSlideRight, this, kPatrolSpeed);
    hFlip = patrolDirection != 0;
    patrolDirection = 1 - patrolDirection;
  }
  if (hurtPlayerWithin(x, y, kPatrolBitePx)) return;
  float distanceSq = playerDistanceSq(x, y);
  if (distanceSq >= 0.0f && distanceSq < kPatrolSpotSq) startChasing();
}

void Angler::startChasing() {
  playSoundAt("anglerseesyou");
  chasing = 1;
  xInterp.stop();
  yInterp.stop();
  moving = false;
}

void Angler::draw(BITMAP* target) {
  Actor::draw(target);
  if (!visible) return;
  float ahead = facingRight() ? kLanternAheadPx : -kLanternAheadPx;
  lantern.setPosition(static_cast<int>(x + ahead), static_cast<int>(y - kLanternAbovePx));
  lantern.draw(target);
}
