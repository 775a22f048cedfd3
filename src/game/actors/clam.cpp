#include "game/actors/clam.h"

#include "flow/game_app.h"
#include "game/actors/contact.h"
#include "game/treasure.h"

namespace {

const float kToggleS = 2.0f;
const int kOpenFrame = 0, kShutFrame = 10;
const float kOpenS = 0.5f, kCloseS = 0.3f;
const int kOpenDepthBias = -500;   // behind the pearl
const int kShutDepthBias = 40;     // in front of it
const float kPearlShowS = 0.1f, kPearlHideS = 0.3f;
const float kBitePx = 64.0f;

}  // namespace

Clam::Clam() {
  loadArt("clam.dat");
  frame = kShutFrame;
  depthBias = kShutDepthBias;
}

void Clam::holdPearl(Treasure* heldPearl) {
  pearl = heldPearl;
  if (pearl && !isOpen) pearl->alpha = 0.0f;
}

void Clam::step(float dt) {
  Actor::step(dt);
  if (GameApp::instance->paused) return;
  // The shell keeps its rhythm inside a bubble; only its bite stops.
  toggleTimer -= dt;
  if (toggleTimer <= 0.0f) toggle();
  if (trapTimer <= 0.0f && animation.running) hurtPlayerWithin(x, y, kBitePx);
}

void Clam::toggle() {
  toggleTimer = kToggleS;
  if (isOpen) close();
  else open();
}

void Clam::open() {
  isOpen = 1;
  playAnimation("open", kShutFrame, kOpenFrame, kOpenS, 0, false, 0.0f);
  depthBias = kOpenDepthBias;
  if (!pearl) return;
  if (pearl->collected) pearl->visible = false;
  else pearl->alphaInterp.start(255.0f, kPearlShowS, 0);
}

void Clam::close() {
  isOpen = 0;
  playAnimation("close", kOpenFrame, kShutFrame, kCloseS, 0, false, 0.0f);
  depthBias = kShutDepthBias;
  if (!pearl) return;
  if (pearl->collected) pearl->visible = false;
  else pearl->alphaInterp.start(0.0f, kPearlHideS, 0);
}
