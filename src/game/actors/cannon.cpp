#include "game/actors/cannon.h"

#include <algorithm>

#include "engine/screen.h"
#include "flow/game_app.h"
#include "game/actors/tile_grid.h"

namespace {

using namespace tile_grid;

const int kSmokeFrame = 1;
const float kReloadS = 2.0f;
const float kMuzzleLeftPx = 35.0f, kMuzzleDownPx = 18.0f;
const float kBallSpeed = 400.0f;   // px/s
const int kWallFacePx = 61;        // the ball stops this far into the wall's tile
const float kSmokeFlashS = 0.3f;
const int kFlightLayer = 3;

Actor* newCannonball() {
  auto* ball = new Actor;
  ball->loadArt("cannonBall.dat");
  return ball;
}

}  // namespace

Cannon::Cannon() : cannonball(newCannonball()) {
  loadArt("cannon.dat");
  cannonball->visible = false;
  smoke.datafile.open("cannon.dat");
  smoke.frame = kSmokeFrame;
  smoke.anchor = 1;
  smoke.alpha = 0.0f;
  smoke.alphaInterp.pingPong = true;
}

Cannon::~Cannon() { endFlight(); }

void Cannon::step(float dt) {
  Actor::step(dt);
  if (GameApp::instance->paused) return;
  if (ballInFlight()) {
    if (!cannonball->moving && cannonball->trapTimer <= 0.0f) endFlight();
    return;
  }
  if (trapTimer > 0.0f || cannonball->trapTimer > 0.0f) return;
  fireTimer -= dt;
  if (fireTimer <= 0.0f) fire();
}

int Cannon::targetWallColumn() const {
  GameApp& app = *GameApp::instance;
  int column = tileX();
  while (!app.isSolidTile(column, tileY())) --column;
  return column;
}

void Cannon::fire() {
  GameApp& app = *GameApp::instance;
  int wall = targetWallColumn();
  playSoundAt("cannon");
  fireTimer = kReloadS;
  app.actors.push_back(cannonball.get());
  if (app.screen) {
    app.screen->addToLayer(cannonball.get(), kFlightLayer);
    app.screen->addToLayer(&smoke, kFlightLayer);
  }
  int muzzleX = static_cast<int>(x - kMuzzleLeftPx), muzzleY = static_cast<int>(y + kMuzzleDownPx);
  cannonball->setPosition(muzzleX, muzzleY);
  cannonball->visible = true;
  cannonball->moveTo(static_cast<float>(wall * kTilePx + kWallFacePx), cannonball->y, kBallSpeed);
  smoke.setPosition(muzzleX, muzzleY);
  smoke.alpha = 0.0f;
  smoke.alphaInterp.start(255.0f, kSmokeFlashS, 1);
}

void Cannon::endFlight() {
  cannonball->visible = false;
  GameApp* app = GameApp::instance;
  if (!app) return;
  std::vector<Actor*>& actors = app->actors;
  actors.erase(std::remove(actors.begin(), actors.end(), cannonball.get()), actors.end());
  if (app->screen) {
    app->screen->removeFromLayer(cannonball.get(), kFlightLayer);
    app->screen->removeFromLayer(&smoke, kFlightLayer);
  }
}
