#include "game/actors/big_shark.h"

#include "engine/tile_map.h"
#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/vector2.h"

namespace {

const int kHitPoints = 3;
const float kHomeX = 880.0f, kStartY = 120.0f;
const int kDepthBias = 600;  // in front of the crates it swallows
const float kPatrolTopY = 120.0f, kPatrolBottomY = 500.0f;
const float kPatrolSpeed = 100.0f;  // px/s
const float kLungeSpeed = 400.0f;   // px/s, out and back
const float kLungeFromX = 400.0f;   // a fish beyond this is attacked
const float kMouthReachPx = 300.0f; // the lunge puts the mouth's far end on the fish
const int kMouthFarPx = 300, kMouthNearPx = 40, kMouthHalfHeightPx = 147;
const int kAngryPitch = 600;        // the growl, played low
const float kDigestS = 4.0f;
const float kShakePx = 20.0f, kShakeHalfPeriodS = 0.1f;
const int kShakeRepeats = 11;
const float kFlashS = 0.1f;
const int kFlashRepeats = 3;
const int kExitTileX = 8, kExitTileY = 5;
const float kSunkX = 0.0f, kSunkY = 1000.0f, kSinkSpeed = 100.0f;
const int kShutFrame = 0, kOpenFrame = 1, kHurtFrame = 2;

}  // namespace

BigShark::BigShark() : Boss(kHitPoints) {
  loadArt("sharkybig.dat");
  depthBias = kDepthBias;
  x = kHomeX;
  y = kStartY;
}

void BigShark::think(float dt) {
  GameApp& app = *GameApp::instance;
  Player* player = app.player;
  if (player && player->dead) player->setPosition(static_cast<int>(x), static_cast<int>(y));
  cameraOffsetX = static_cast<int>(shakeOffset);
  if (!alive()) return;
  if (mouthOpen && player) bite(*player);
  if (digesting) digest(dt);
  if (!alive()) return;
  if (lunging) {
    if (!moving) finishLunge();
  } else if (mouthOpen) {
    closeMouthOnArrival();
  } else if (player && !player->dead && player->x > kLungeFromX) {
    lungeAt(*player);
  } else if (!moving) {
    patrol();
  }
}

BoundingBox BigShark::mouth() const {
  int ix = static_cast<int>(x), iy = static_cast<int>(y);
  return {ix - kMouthFarPx, iy - kMouthHalfHeightPx, ix - kMouthNearPx, iy + kMouthHalfHeightPx};
}

void BigShark::bite(Player& player) {
  if (!player.dead && cornerInside(player.boundingBox(), mouth())) player.hurt();
}

void BigShark::digest(float dt) {
  digestTimer -= dt;
  if (digestTimer > 0.0f) return;
  digesting = 0;
  stopMoving();
  playPlain("cannon");
  hitPoints -= swallowed;
  swallowed = 0;
  frame = kHurtFrame;
  shake(kShakeRepeats);
  if (!alive()) sink();
}

void BigShark::lungeAt(const Player& player) {
  playPlain("anglerseesyou", kAngryPitch);
  lunging = 1;
  moveTo(player.x + kMouthReachPx, player.y, kLungeSpeed);
}

void BigShark::finishLunge() {
  GameApp& app = *GameApp::instance;
  BoundingBox jaws = mouth();
  for (Actor* actor : app.actors) {
    if (actor == this || !actor->visible || !actor->solid) continue;
    if (!cornerInside(actor->boundingBox(), jaws)) continue;
    playPlain("sharkgulp");
    actor->visible = false;
    swallowed += 1;
    digesting = 1;
    digestTimer = kDigestS;
  }
  playPlain("sharkbite");
  lunging = 0;
  mouthOpen = 1;
  frame = kOpenFrame;
  moveTo(kHomeX, y, kLungeSpeed);
}

void BigShark::closeMouthOnArrival() {
  if (moving) return;
  mouthOpen = 0;
  frame = kShutFrame;
}

// Up and down the right of the lair; after a lunge it heads for the farther
// end, so the turns stay exactly at the two ends.
void BigShark::patrol() {
  if (frame == kHurtFrame && !shakeTween.running) frame = kShutFrame;
  float target = y < (kPatrolTopY + kPatrolBottomY) / 2 ? kPatrolBottomY : kPatrolTopY;
  moveTo(x, target, kPatrolSpeed);
}

void BigShark::hit() {
  if (!alive() || flashing()) return;
  flash(kFlashS, kFlashRepeats);
  hitPoints -= 1;
  if (!alive()) sink();
}

void BigShark::shake(int repeats) {
  shakeOffset = 0.0f;
  shakeTween.pingPong = true;
  shakeTween.start(kShakePx, kShakeHalfPeriodS, repeats);
}

void BigShark::sink() {
  GameApp& app = *GameApp::instance;
  if (app.tileMap) app.tileMap->setCell(kExitTileX, kExitTileY, -1);
  shake(-1);
  moveTo(kSunkX, kSunkY, kSinkSpeed);
  fadeOut();
}
