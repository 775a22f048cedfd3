#include "game/actors/refill_station.h"

#include <allegro.h>

#include <cstdlib>

#include "engine/screen.h"
#include "flow/game_app.h"
#include "game/actors/player.h"

namespace {

const int kEmitterLayer = 3;
const float kReachSq = 4096.0f;  // 64 px
const float kEmitPeriodS = 0.5f;
const float kEmitBelowPx = 40.0f;
const int kRisingJet = 2;  // straight up
const int kBubbleFrame = 0;

GameApp& game() { return *GameApp::instance; }

}  // namespace

RefillStation::RefillStation() {
  loadArt("bubble.dat");
  untrappable = 1;
  visible = false;
  emitter.datafile.open("bubble.dat");
  emitter.bitmapIndex = kBubbleFrame;
}

RefillStation::~RefillStation() {
  if (GameApp::instance && game().screen) game().screen->removeFromLayer(&emitter, kEmitterLayer);
}

void RefillStation::onAdded() { game().screen->addToLayer(&emitter, kEmitterLayer); }

void RefillStation::step(float dt) {
  GameApp& app = game();
  if (app.paused) return;
  Player* player = app.player;
  if (player && !player->dead && squaredDistance(x, y, player->x, player->y) < kReachSq &&
      player->bubbles < app.bubbleLimit) {
    playCentred("refill");
    player->bubbles = app.bubbleLimit;
  }
  Actor::step(dt);
  emitter.setPosition(static_cast<int>(x), static_cast<int>(y + kEmitBelowPx));
  emitTimer += dt;
  if (emitTimer <= kEmitPeriodS) return;
  emitTimer -= kEmitPeriodS;
  int colour = makecol(128 + std::rand() % 128, 200, 200);
  emitter.stream(kRisingJet, x, y + kEmitBelowPx, 1, colour);
}
