#include "game/actors/contact.h"

#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/vector2.h"

namespace {

const float kHopHeadRaisePx = 40.0f;

}  // namespace

Player* livingPlayer() {
  GameApp* app = GameApp::instance;
  if (!app || !app->player || app->player->dead) return nullptr;
  return app->player;
}

float playerDistanceSq(float x, float y, bool fromHopHead) {
  const Player* player = livingPlayer();
  if (!player) return -1.0f;
  float py = player->y;
  if (fromHopHead && player->hopMode) py -= kHopHeadRaisePx;
  return squaredDistance(x, y, player->x, py);
}

bool hurtPlayerWithin(float x, float y, float radius, bool fromHopHead) {
  float distanceSq = playerDistanceSq(x, y, fromHopHead);
  if (distanceSq < 0.0f || distanceSq >= radius * radius) return false;
  livingPlayer()->hurt();
  return true;
}
