#include "game/actors/cannonball.h"

#include <algorithm>

#include "engine/particle_system.h"
#include "engine/screen.h"
#include "flow/game_app.h"
#include "game/actors/player.h"

namespace {

const int kFlightLayer = 3;
const float kMuzzleDx = -35.0f, kMuzzleDy = 18.0f;
const int kWallStopPx = 61;  // into the wall tile, at its right face
const float kSpeedPxPerS = 400.0f;
const float kSmokeFlashS = 0.3f;
const float kHurtSq = 1600.0f;   // 40 px
const float kKnockSq = 1024.0f;  // 32 px
const float kTrailPeriodS = 0.05f;
const float kTrailBehindPx = 24.0f;
const int kTrailJet = 2;  // bubbles rise
const int kTilePx = 80;

GameApp& game() { return *GameApp::instance; }

int tileOf(float coordinate) { return static_cast<int>(coordinate * 0.0125f); }

}  // namespace

Cannonball::Cannonball() {
  loadArt("cannonBall.dat");
  visible = false;
}

Cannonball::~Cannonball() {
  if (GameApp::instance && game().screen) game().screen->removeFromLayer(this, kFlightLayer);
}

void Cannonball::fire(float cannonX, float cannonY, Sprite& smokePuff) {
  if (inPlay()) return;
  GameApp& app = game();
  int row = tileOf(cannonY), wall = tileOf(cannonX);
  // Cells left of the grid read as wall, so the search always ends.
  while (wall >= 0 && !app.isSolidTile(wall, row)) wall -= 1;
  smoke = &smokePuff;
  app.actors.push_back(this);
  app.screen->addToLayer(this, kFlightLayer);
  app.screen->addToLayer(smoke, kFlightLayer);
  visible = smoke->visible = true;
  setPosition(static_cast<int>(cannonX + kMuzzleDx), static_cast<int>(cannonY + kMuzzleDy));
  smoke->setPosition(static_cast<int>(x), static_cast<int>(y));
  moveTo(static_cast<float>(wall * kTilePx + kWallStopPx), y, kSpeedPxPerS);
  smoke->alpha = 0.0f;
  smoke->alphaInterp.pingPong = true;
  smoke->alphaInterp.start(255.0f, kSmokeFlashS, 1);
  trailTimer = 0.0f;
}

void Cannonball::step(float dt) {
  Actor::step(dt);
  GameApp& app = game();
  if (app.paused || !visible) return;
  Player* player = app.player;
  if (player && squaredDistance(x, y, player->x, player->y) < kHurtSq) player->hurt();
  if (trapTimer <= 0.0f) {
    trailTimer += dt;
    if (trailTimer >= kTrailPeriodS) {
      trailTimer -= kTrailPeriodS;
      if (app.particles[2]) app.particles[2]->stream(kTrailJet, x + kTrailBehindPx, y, 1, -1);
    }
  }
  for (Actor* other : app.actors) {
    if (other == this || !other->visible || !other->solid) continue;
    if (squaredDistance(x, y, other->x, other->y) >= kKnockSq) continue;
    other->hit();
    land();
    return;
  }
  if (!moving && trapTimer <= 0.0f) land();
}

void Cannonball::land() {
  GameApp& app = game();
  visible = false;
  stopAnimating();
  xInterp.stop();
  yInterp.stop();
  moving = false;
  app.actors.erase(std::remove(app.actors.begin(), app.actors.end(), this), app.actors.end());
  app.screen->removeFromLayer(this, kFlightLayer);
  if (smoke) app.screen->removeFromLayer(smoke, kFlightLayer);
}
