#include "game/actors/ink_blot.h"

#include "flow/game_app.h"
#include "game/actors/player.h"

namespace {

const float kHeadStartPx = 80.0f;
const float kSpeedPxPerS = 300.0f;
const float kFadeS = 0.1f;
const float kHiddenAlpha = 64.0f;  // faded this far, it is gone
const float kHurtSq = 1024.0f;     // 32 px
const float kTurn = 255.0f;        // a full turn in the angle units of rotation
const float kTurnS = 1.0f;
const int kBlobFrames = 15;
const float kBlobS = 0.5f;

}  // namespace

InkBlot::InkBlot(float targetX, float targetY) : aimPoint(targetX, targetY) {
  loadArt("inkblot.dat");
  angle = 0.0f;
  angleInterp.start(kTurn, kTurnS, -1);
  playAnimation("blob", 0, kBlobFrames, kBlobS, -1, false, 0.0f);
}

void InkBlot::aim() {
  direction = (aimPoint - Vector2(x, y)).scaledTo(1.0f);
  x += direction.x * kHeadStartPx;
  y += direction.y * kHeadStartPx;
}

void InkBlot::step(float dt) {
  Actor::step(dt);
  GameApp& app = *GameApp::instance;
  if (app.paused || trapTimer > 0.0f || !visible) return;
  lifeTimer -= dt;
  if (lifeTimer <= 0.0f && !alphaInterp.running) alphaInterp.start(0.0f, kFadeS, 0);
  if (alpha <= kHiddenAlpha) {
    visible = false;
    return;
  }
  x += direction.x * kSpeedPxPerS * dt;
  y += direction.y * kSpeedPxPerS * dt;
  Player* player = app.player;
  if (player && squaredDistance(x, y, player->x, player->y) < kHurtSq) player->hurt();
}
