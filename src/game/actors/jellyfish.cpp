#include "game/actors/jellyfish.h"

#include "engine/tile_map.h"
#include "flow/game_app.h"
#include "game/actors/contact.h"
#include "game/actors/tile_grid.h"

namespace {

using namespace tile_grid;

const int kPulseFrames = 10;
const float kPulseS = 0.8f;
const int kGlowFrame = 11;
const float kGlowAlpha = 128.0f;
const float kGlowPulseS = 1.0f;
const int kAdditiveBlend = 1;
const float kStingPx = 55.0f;
const int kEmptyTile = -1;

}  // namespace

Jellyfish::Jellyfish() {
  loadArt("jellyfish.dat");
  playAnimation("jell", 0, kPulseFrames, kPulseS, -1, false, 0.0f);
  glow.datafile.open("jellyfish.dat");
  glow.frame = kGlowFrame;
  glow.anchor = 1;
  glow.blendMode = kAdditiveBlend;
  glow.alpha = 0.0f;
  glow.alphaInterp.pingPong = true;
  glow.alphaInterp.start(kGlowAlpha, kGlowPulseS, -1);
}

void Jellyfish::step(float dt) {
  Actor::step(dt);
  if (GameApp::instance->paused) return;
  glow.step(dt);
  hurtPlayerWithin(x, y, kStingPx);
  if (trapTimer > 0.0f) return;
  bob.update(dt);
  cameraOffsetY = bob.pixels();
  drift(dt);
}

void Jellyfish::drift(float dt) {
  y += (goingUp ? -speed : speed) * dt;
  BoundingBox box = boundingBox();
  if (goingUp && occupied(x, static_cast<float>(box.top))) goingUp = 0;
  else if (!goingUp && occupied(x, static_cast<float>(box.bottom))) goingUp = 1;
}

bool Jellyfish::occupied(float px, float py) {
  TileMap* tiles = GameApp::instance->tileMap;
  return !tiles || tiles->cellAt(tileOf(px), tileOf(py)) != kEmptyTile;
}

void Jellyfish::draw(BITMAP* target) {
  if (visible) {
    glow.setPosition(static_cast<int>(x), static_cast<int>(y) + cameraOffsetY);
    glow.draw(target);
  }
  Actor::draw(target);
}
