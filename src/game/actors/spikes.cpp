#include "game/actors/spikes.h"

#include "flow/game_app.h"
#include "game/actors/contact.h"
#include "game/actors/player.h"
#include "game/actors/tile_grid.h"

namespace {

using namespace tile_grid;

const int kFloorDropPx = 10;

}  // namespace

Spikes::Spikes() {
  loadArt("spikes.dat");
  untrappable = 1;
  cameraOffsetY = kFloorDropPx;
}

void Spikes::hang() {
  vFlip = true;
  cameraOffsetY = -kFloorDropPx;
}

void Spikes::step(float dt) {
  Actor::step(dt);
  if (GameApp::instance->paused) return;
  Player* player = livingPlayer();
  if (player && tileOf(player->x) == tileX() && tileOf(player->y) == tileY()) player->hurt();
}
