#include "game/actors/mrpuffer.h"

#include "flow/game_app.h"
#include "game/actors/contact.h"
#include "game/actors/player.h"

namespace {

const int kSmallFrame = 0;
const float kNoticeSq = 32400.0f;     // 180 px
const float kSpikeSq = 6399.0f;       // within 80 px
const float kCalmSq = 57601.0f;       // 240 px and more
const float kPuffFromPx = 20.0f, kPuffToPx = 140.0f, kPuffS = 0.2f;
const float kShrinkToPx = 40.0f, kShrinkS = 0.4f;

}  // namespace

Mrpuffer::Mrpuffer() { loadArt("mrpuffer.dat"); }

void Mrpuffer::step(float dt) {
  Actor::step(dt);
  if (GameApp::instance->paused || trapTimer > 0.0f) return;
  float distanceSq = playerDistanceSq(x, y);
  bool sizing = stretchWidthInterp.running || stretchHeightInterp.running;
  if (armed && distanceSq >= 0.0f && distanceSq <= kSpikeSq) livingPlayer()->hurt();
  if (deflating) {
    if (!sizing) settle();
  } else if (armed) {
    if (distanceSq >= kCalmSq) deflate();
  } else if (growing()) {
    if (!sizing) armed = 1;
  } else if (distanceSq >= 0.0f && distanceSq < kNoticeSq) {
    puffUp();
  }
}

void Mrpuffer::puffUp() {
  frame = kPuffedFrame;
  stretchWidth = stretchHeight = kPuffFromPx;
  stretchWidthInterp.start(kPuffToPx, kPuffS, 0);
  stretchHeightInterp.start(kPuffToPx, kPuffS, 0);
}

void Mrpuffer::deflate() {
  deflating = 1;
  stretchWidth = stretchHeight = kPuffToPx;
  stretchWidthInterp.start(kShrinkToPx, kShrinkS, 0);
  stretchHeightInterp.start(kShrinkToPx, kShrinkS, 0);
}

void Mrpuffer::settle() {
  deflating = 0;
  armed = 0;
  frame = kSmallFrame;
}
