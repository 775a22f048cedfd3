#include "game/actors/leviathan_shot.h"

#include "flow/game_app.h"
#include "game/actors/player.h"

namespace {

const int kAdditiveBlend = 1;
const float kFadeS = 0.2f;
const float kSoakSq = 4096.0f;  // 64 px from the player's bubble
const float kHurtSq = 1024.0f;  // 32 px

}  // namespace

LeviathanShot::LeviathanShot(int speedPxPerS) : speed(speedPxPerS) {
  loadArt("levshot.dat");
  untrappable = 1;
  blendMode = kAdditiveBlend;
}

void LeviathanShot::step(float dt) {
  Actor::step(dt);
  GameApp& app = *GameApp::instance;
  if (app.paused || trapTimer > 0.0f) return;
  if (alpha <= 0.0f) {
    visible = false;
    untrappable = 1;
    return;
  }
  lifeTimer -= dt;
  if (lifeTimer <= 0.0f && !alphaInterp.running) alphaInterp.start(0.0f, kFadeS, 0);
  Player* player = app.player;
  if (!player || alphaInterp.running || !visible) return;
  Vector2 homing = Vector2(player->x - x, player->y - y).scaledTo(speed * dt);
  const Sprite& bubble = player->shot;
  if (bubble.visible && squaredDistance(x, y, bubble.x, bubble.y) < kSoakSq) {
    x = bubble.x;
    y = bubble.y;
    carried = 1;
    return;
  }
  x += homing.x;
  y += homing.y;
  if (squaredDistance(x, y, player->x, player->y) < kHurtSq) player->hurt();
}
