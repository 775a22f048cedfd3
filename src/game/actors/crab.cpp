#include "game/actors/crab.h"

#include "flow/game_app.h"
#include "game/actors/contact.h"
#include "game/actors/tile_grid.h"

namespace {

using namespace tile_grid;

const int kWalkFrames = 9;
const float kWalkLoopS = 0.5f;
const float kRestS = 2.0f;
const float kWalkSpeed = 200.0f;  // px/s
const float kPinchPx = 64.0f;

}  // namespace

Crab::Crab() {
  loadArt("crab.dat");
  playAnimation("walk", 0, kWalkFrames, kWalkLoopS, -1, false, 0.0f);
}

void Crab::step(float dt) {
  Actor::step(dt);
  if (GameApp::instance->paused) return;
  hurtPlayerWithin(x, y, kPinchPx, true);
  if (trapTimer > 0.0f) return;
  if (waitTimer > 0.0f) {
    waitTimer -= dt;
    if (waitTimer <= 0.0f) walk();
  } else if (!moving) {
    waitTimer = kRestS;
  }
}

void Crab::walk() {
  int column = walkTargetColumn();
  hFlip = !walkingLeft;
  moveTo(static_cast<float>(tileCentre(column)), y, kWalkSpeed);
  walkingLeft = !walkingLeft;
}

int Crab::walkTargetColumn() const {
  GameApp& app = *GameApp::instance;
  int row = tileY(), step = walkingLeft ? -1 : 1;
  int columns = app.levelWidth / kTilePx;
  int target = tileX();
  for (int column = target + step; column >= 0 && column < columns; column += step) {
    bool free = !app.isSolidTile(column, row) &&
                !app.solidActorAt(tileCentre(column), tileCentre(row));
    if (!free || !app.isSolidTile(column, row + 1)) break;
    target = column;
  }
  return target;
}
