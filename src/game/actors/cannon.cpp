#include "game/actors/cannon.h"

#include <algorithm>

#include "engine/screen.h"
#include "flow/game_app.h"

namespace {

const int kSmokeFrame = 1;
const float kReloadS = 2.0f;
const int kFlightLayer = 3;  // where the ball puts the smoke

}  // namespace

Cannon::Cannon() : cannonball(new Cannonball) {
  loadArt("cannon.dat");
  smoke.datafile.open("cannon.dat");
  smoke.frame = kSmokeFrame;
  smoke.anchor = 1;
  smoke.alpha = 0.0f;
}

Cannon::~Cannon() {
  GameApp* app = GameApp::instance;
  if (!app) return;
  std::vector<Actor*>& actors = app->actors;
  actors.erase(std::remove(actors.begin(), actors.end(), cannonball.get()), actors.end());
  if (app->screen) app->screen->removeFromLayer(&smoke, kFlightLayer);
}

void Cannon::step(float dt) {
  Actor::step(dt);
  if (GameApp::instance->paused || trapTimer > 0.0f || cannonball->inPlay()) return;
  fireTimer -= dt;
  if (fireTimer > 0.0f) return;
  playSoundAt("cannon");
  fireTimer = kReloadS;
  cannonball->fire(x, y, smoke);
}
