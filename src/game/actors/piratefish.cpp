#include "game/actors/piratefish.h"

#include "flow/game_app.h"
#include "game/actors/contact.h"

namespace {

const int kSwimFrames = 9;
const float kSwimLoopS = 0.8f;
const float kSailSpeed = 200.0f;  // px/s
const float kStingPx = 40.0f;
const int kLeft = 0, kRight = 1, kDown = 2, kUp = 3;  // slide directions
const int kRoute[] = {kLeft, kUp, kRight, kDown};
const int kRouteLength = 4;

}  // namespace

Piratefish::Piratefish() {
  loadArt("piratefish.dat");
  playAnimation("swim", 0, kSwimFrames, kSwimLoopS, -1, false, 0.0f);
}

void Piratefish::step(float dt) {
  Actor::step(dt);
  if (GameApp::instance->paused) return;
  hurtPlayerWithin(x, y, kStingPx);
  if (trapTimer > 0.0f) return;
  bob.update(dt);
  cameraOffsetY = bob.pixels();
  if (!moving) sailNextSide();
}

void Piratefish::sailNextSide() {
  int direction = kRoute[patrolStep];
  if (direction == kLeft) hFlip = false;
  if (direction == kRight) hFlip = true;
  GameApp::instance->slideActor(direction, this, kSailSpeed);
  patrolStep = (patrolStep + 1) % kRouteLength;
}
