#include "game/actors/coin.h"

#include "flow/game_app.h"
#include "game/actors/player.h"

namespace {

const int kSpinFrames = 20;
const float kSpinS = 0.8f;
const float kFadeS = 0.5f;
const float kPulledFadeS = 2.5f;

}  // namespace

Coin::Coin() {
  loadArt("coin.dat");
  playAnimation("rot", 0, kSpinFrames, kSpinS, -1, false, 0.0f);
}

void Coin::step(float dt) {
  Actor::step(dt);
  if (GameApp::instance->paused || !visible) return;
  if (trapTimer > 0.0f) pullToPlayer();
  y += fallSpeed * dt;
  if (fadeTimer > 0.0f) {
    fadeTimer -= dt;
    if (fadeTimer <= 0.0f) alphaInterp.start(0.0f, kFadeS, 0);
  }
  if (alpha <= 0.0f) visible = false;
}

void Coin::pullToPlayer() {
  // The bubble is let go without a pop: the coin rides to the fish instead.
  trapTimer = 0.0f;
  bubbleOverlay.visible = false;
  shakeTween.stop();
  shakeOffset = 0.0f;
  cameraOffsetX = bubbleOverlay.cameraOffsetX = 0;
  fadeTimer = 0.0f;
  alphaInterp.start(0.0f, kPulledFadeS, 0);
  const Player* player = GameApp::instance->player;
  if (player) {
    x = player->x;
    y = player->y;
  }
}
