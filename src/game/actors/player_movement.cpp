// How the fish moves: swimming, riding, hopping on land, walls and the
// blocks it pushes.
#include <algorithm>

#include "engine/particle_system.h"
#include "flow/game_app.h"
#include "game/actors/player.h"

namespace {

const int kSwimFrames = 20;
const float kSwimAnimationS = 0.3f;
const float kExhaustPeriodS = 0.1f;
const float kExhaustBehindPx = 20.0f;
const int kExhaustJet = 0;  // stream to the left, slightly up
const float kGravityPxPerS2 = 980.0f;
const float kFallCapPxPerS = 1000.0f;
const float kWalkSpeedPxPerS = 250.0f;
const float kJumpHoldLiftPxPerS2 = 400.0f;
const float kHopDrawRaisePx = -30.0f;
const float kBlockHalfPx = 40.0f;
const float kStandOnBlockPx = 41.0f;  // feet one pixel above the block's top
const float kPushSpeedPxPerS = 400.0f;
const int kTilePx = 80;
const char* const kSentinelKind = "dat/sentinel.dat";

GameApp& game() { return *GameApp::instance; }

int tileOf(float coordinate) { return static_cast<int>(coordinate * 0.0125f); }

bool blockedAt(float px, float py) { return game().isBlocked(tileOf(px), tileOf(py)); }

float tileCentre(int tile) { return static_cast<float>(tile * kTilePx + kTilePx / 2); }

}  // namespace

void Player::swim(float dt, float factor) {
  bool left = !steerLock && isDown("left");
  bool right = !steerLock && isDown("right");
  bool down = isDown("down"), up = isDown("up");
  float stepPx = swimSpeed * factor * dt;
  // Left wins over right and down over up.
  if (left || right) {
    hFlip = !left;
    if (!(animation.running && currentAnimation == "swim"))
      playAnimation("swim", 0, kSwimFrames, kSwimAnimationS, -1, false, 0.0f);
    x += left ? -stepPx : stepPx;
  }
  if (down) y += stepPx;
  else if (up) y -= stepPx;
  if (!left && !right && !down && !up) stopOnFrameZero();
}

void Player::stopOnFrameZero() {
  stopAnimating();
  frame = 0.0f;
}

void Player::moveOnRide(float dt) {
  GameApp& app = game();
  if (rideExhaust) {
    exhaustTimer += dt;
    if (exhaustTimer >= kExhaustPeriodS) {
      exhaustTimer -= kExhaustPeriodS;
      if (app.particles[1])
        app.particles[1]->stream(kExhaustJet, ride.x - kExhaustBehindPx + ride.cameraOffsetX,
                                 ride.y + ride.cameraOffsetY, 1, -1);
    }
  }
  ride.x += rideSpeed * dt;
  float oldRideY = ride.y;
  if (isDown("down")) ride.y += rideClimbSpeed * dt;
  else if (isDown("up")) ride.y -= rideClimbSpeed * dt;
  if (blockedAt(ride.x, ride.y)) ride.y = oldRideY;
  if (dead) return;
  x = ride.x;
  y = ride.y;
}

void Player::keepOutOfWalls(float oldX, float oldY) {
  GameApp& app = game();
  bool blocked = blockedAt(x, y) || x < 0.0f || y < 0.0f || x > app.levelWidth || y > app.levelHeight;
  if (!riding()) blocked = blocked || blockedAt(oldX, y) || blockedAt(x, oldY);
  if (!blocked) return;
  x = oldX;
  y = oldY;
  stopOnFrameZero();
  if (riding()) hurt();
}

void Player::pushBlocks(float oldX, float oldY) {
  GameApp& app = game();
  int oldTx = tileOf(oldX), oldTy = tileOf(oldY), newTx = tileOf(x), newTy = tileOf(y);
  // By index: solidActorNear names the block by its place in the list.
  for (int i = 0; i < static_cast<int>(app.actors.size()); ++i) {
    const Actor& block = *app.actors[i];
    if (!block.visible || !block.solid) continue;
    int bx = block.tileX(), by = block.tileY();
    bool inPath = (bx == newTx && (by == newTy || by == oldTy)) || (bx == oldTx && by == newTy);
    if (inPath) pushBlock(i, oldX, oldY);
  }
}

void Player::pushBlock(int index, float oldX, float oldY) {
  GameApp& app = game();
  Actor& block = *app.actors[index];
  if (hopMode && oldY < block.y - kBlockHalfPx) {
    y = block.y - kStandOnBlockPx;
    velocity.set(0.0f, 0.0f);
    airborne = 0;
    return;
  }
  x = oldX;
  y = oldY;
  if (block.moving) return;
  int bx = block.tileX(), by = block.tileY(), dx = 0, dy = 0;
  if (bx != tileOf(oldX)) dx = bx > tileOf(oldX) ? 1 : -1;
  else if (by != tileOf(oldY)) dy = by > tileOf(oldY) ? 1 : -1;
  bool pressed = (dx > 0 && isDown("right")) || (dx < 0 && isDown("left")) ||
                 (dy > 0 && isDown("down")) || (dy < 0 && isDown("up"));
  if (!pressed) return;
  int tx = bx + dx, ty = by + dy;
  bool refused = app.isBlocked(tx, ty) || app.solidActorNear(index) ||
                 app.solidActorAt(static_cast<int>(tileCentre(tx)), static_cast<int>(tileCentre(ty))) ||
                 app.actorOfKindAt(tx, ty, kSentinelKind) || (hopMode && !app.isSolidTile(tx, ty + 1));
  if (!refused) block.moveTo(tileCentre(tx), tileCentre(ty), kPushSpeedPxPerS);
}

void Player::hop(float dt, float factor) {
  float oldX = x, oldY = y;
  x += velocity.x * dt;
  y += velocity.y * dt;
  velocity.y = std::min(velocity.y + kGravityPxPerS2 * dt, kFallCapPxPerS);
  if (!dead) {
    // Right wins here, unlike swimming.
    bool right = isDown("right");
    if (right || isDown("left")) {
      hFlip = right;
      x += (right ? 1.0f : -1.0f) * kWalkSpeedPxPerS * factor * dt;
    }
  }
  bool up = isDown("up");
  if (airborne && up && jumpHoldTimer > 0.0f) {
    jumpHoldTimer -= dt;
    velocity.y -= kJumpHoldLiftPxPerS2 * dt;
  } else if (airborne && !up) {
    jumpHoldTimer = 0.0f;
  }
  cameraOffsetY = static_cast<int>(kHopDrawRaisePx);
  pushBlocks(oldX, oldY);
  landOnWalls(oldX, oldY);
}

void Player::landOnWalls(float oldX, float oldY) {
  if (!blockedAt(x, y)) return;
  bool vertical = blockedAt(oldX, y), horizontal = blockedAt(x, oldY);
  if (horizontal && !vertical) {
    x = oldX;
    return;
  }
  if (vertical && !horizontal) {
    if (y > oldY) airborne = 0;  // falling onto the ground: landed
    y = oldY;
  } else {
    // Both ways, or a corner met only diagonally. Falling onto the floor
    // while pressing into a wall is a landing too, or the fish would stay
    // airborne on the ground.
    if (vertical && y > oldY) airborne = 0;
    x = oldX;
    y = oldY;
  }
  velocity.set(0.0f, 0.0f);
}
