#include "game/actors/gust.h"

#include "flow/game_app.h"
#include "game/actors/player.h"

namespace {

const float kHurtSq = 4096.0f;  // 64 px
const float kTurn = 255.0f;     // a full turn in the angle units of rotation
const float kTurnS = 1.0f;

}  // namespace

Gust::Gust(int speedPxPerS) : speed(speedPxPerS) {
  loadArt("gust.dat");
  untrappable = 1;
  angle = 0.0f;
  angleInterp.start(kTurn, kTurnS, -1);
}

void Gust::step(float dt) {
  Actor::step(dt);
  GameApp& app = *GameApp::instance;
  if (app.paused || trapTimer > 0.0f || !visible) return;
  float drift = speed * dt;
  y += drift;
  x += hFlip ? drift : -drift;
  Player* player = app.player;
  if (player && squaredDistance(x, y, player->x, player->y) < kHurtSq) player->hurt();
}
