#include "game/actors/eel.h"

#include "flow/game_app.h"
#include "game/actors/contact.h"
#include "game/actors/player.h"
#include "game/vector2.h"

namespace {

const int kSwimFrames = 9;
const float kSwimLoopS = 1.0f;
const int kGlowFrame = 10;
const float kPatrolSpeed = 150.0f;  // px/s
const float kChargeEveryS = 4.0f;
const float kGlowAlpha = 180.0f;
const float kFlashS = 0.2f;
const int kFlashRepeats = 6;        // seven flashes in all
const float kBitePx = 60.0f;
const int kPlayerBoundsMargin = 5;
const int kSlideLeft = 0, kSlideRight = 1;

}  // namespace

Eel::Eel() {
  loadArt("eel.dat");
  playAnimation("swim", 0, kSwimFrames, kSwimLoopS, -1, false, 0.0f);
  charge.datafile.open("eel.dat");
  charge.frame = kGlowFrame;
  charge.anchor = 1;
  charge.alpha = 0.0f;
  charge.alphaInterp.pingPong = true;
}

void Eel::step(float dt) {
  Actor::step(dt);
  if (GameApp::instance->paused) return;
  charge.step(dt);
  if (trapTimer > 0.0f) return;
  shock();
  if (charging) {
    if (!charge.alphaInterp.running) endCharge();
    return;
  }
  patrol(dt);
}

void Eel::patrol(float dt) {
  if (!moving) {
    GameApp::instance->slideActor(patrolDirection == 0 ? kSlideLeft : kSlideRight, this, kPatrolSpeed);
    hFlip = patrolDirection != 0;
    patrolDirection = 1 - patrolDirection;
  }
  chargeTimer -= dt;
  if (chargeTimer <= 0.0f) startCharge();
}

void Eel::startCharge() {
  playSoundAt("eelcharge");
  xInterp.stop();
  yInterp.stop();
  moving = false;
  hFlip = !hFlip;
  patrolDirection = hFlip ? 1 : 0;  // swims on the way it now faces
  untrappable = 1;
  charging = 1;
  charge.alpha = 0.0f;
  charge.alphaInterp.start(kGlowAlpha, kFlashS, kFlashRepeats);
}

void Eel::endCharge() {
  charging = 0;
  untrappable = 0;
  charge.alpha = 0.0f;
  chargeTimer = kChargeEveryS;
}

void Eel::shock() {
  if (!charging) {
    hurtPlayerWithin(x, y, kBitePx);
    return;
  }
  Player* player = livingPlayer();
  if (player && cornerInside(shrunk(player->boundingBox(), kPlayerBoundsMargin), boundingBox())) player->hurt();
}

void Eel::draw(BITMAP* target) {
  Actor::draw(target);
  if (!visible || !charging) return;
  charge.hFlip = hFlip;
  charge.setPosition(static_cast<int>(x), static_cast<int>(y));
  charge.draw(target);
}
