#include "game/actors/spikes.h"

#include "flow/game_app.h"
#include "game/actors/contact.h"
#include "game/actors/player.h"

namespace {

const int kFloorDropPx = 10;

int tileOf(float position) { return static_cast<int>(position * 0.0125f); }

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
