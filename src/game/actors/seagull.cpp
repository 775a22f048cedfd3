#include "game/actors/seagull.h"

#include "flow/game_app.h"
#include "game/actors/contact.h"
#include "game/actors/player.h"
#include "game/actors/tile_grid.h"

namespace {

using namespace tile_grid;

const int kWalkArt = 0, kDiveArt = 1;  // sub-datafiles
const int kFlyFrames = 9, kDiveFrames = 3;
const float kStrutLoopS = 0.5f, kFlapLoopS = 0.25f, kDiveLoopS = 0.3f;
const float kWalkSpeed = 250.0f;  // px/s
const float kDiveSpeed = 600.0f;  // px/s, down and back up
const float kFlapS = 0.5f;
const float kPeckPx = 64.0f;
const int kSlideLeft = 0, kSlideRight = 1;

}  // namespace

Seagull::Seagull() {
  loadArt("seagull.dat");
  useArt(kWalkArt);
  playAnimation("fly", 0, kFlyFrames, kStrutLoopS, -1, false, 0.0f);
}

void Seagull::useArt(int subDatafile) {
  datafile.useSubDatafile(subDatafile);
  frame = 0.0f;  // the dive has fewer frames than the walk
}

void Seagull::step(float dt) {
  Actor::step(dt);
  if (GameApp::instance->paused || trapTimer > 0.0f) return;
  hurtPlayerWithin(x, y, kPeckPx);
  if (diving) {
    if (diveTimer > 0.0f) {
      diveTimer -= dt;
      if (diveTimer <= 0.0f) plunge();
    } else if (!moving) {
      climb();
    }
  } else if (returning) {
    if (!moving) walkOn();
  } else {
    walk();
  }
}

void Seagull::walk() {
  if (!moving) {
    if (striding) hFlip = !hFlip;  // reached a wall
    GameApp::instance->slideActor(hFlip ? kSlideRight : kSlideLeft, this, kWalkSpeed);
    striding = true;
  }
  spot();
}

int Seagull::columnFloor() const {
  GameApp& app = *GameApp::instance;
  int row = tileY();
  while (!app.isSolidTile(tileX(), row)) ++row;
  return row;
}

void Seagull::spot() {
  const Player* player = livingPlayer();
  if (!player || tileOf(player->x) != tileX()) return;
  int playerRow = tileOf(player->y), floor = columnFloor();
  if (playerRow < tileY() || playerRow >= floor) return;
  xInterp.stop();
  yInterp.stop();
  moving = false;
  striding = false;
  diving = 1;
  diveTimer = kFlapS;
  startY = y;
  diveY = static_cast<float>(tileCentre(floor - 1));
  playAnimation("fly", 0, kFlyFrames, kFlapLoopS, -1, false, 0.0f);
}

void Seagull::plunge() {
  playSoundAt("seagull");
  useArt(kDiveArt);
  playAnimation("dive", 0, kDiveFrames, kDiveLoopS, -1, false, 0.0f);
  moveTo(x, diveY, kDiveSpeed);
}

void Seagull::climb() {
  diving = 0;
  returning = 1;
  useArt(kWalkArt);
  playAnimation("fly", 0, kFlyFrames, kFlapLoopS, -1, false, 0.0f);
  moveTo(x, startY, kDiveSpeed);
}

void Seagull::walkOn() {
  returning = 0;
  playAnimation("fly", 0, kFlyFrames, kStrutLoopS, -1, false, 0.0f);
  walk();
}
