#include "game/actors/boss.h"

#include "flow/game_app.h"
#include "sound/sound_manager.h"

namespace {

const float kFadeOutS = 1.0f;
const int kFullVolume = 255, kCentrePan = 128;

}  // namespace

Boss::Boss(int fullHitPoints) : hitPoints(fullHitPoints), fullHitPoints(fullHitPoints) {
  untrappable = 1;
}

void Boss::step(float dt) {
  Actor::step(dt);
  GameApp& app = *GameApp::instance;
  if (!app.paused) think(dt);
  // Written even while paused, so the hearts show under the ready-go banner.
  app.maxHearts = fullHitPoints;
  app.hearts = hitPoints;
  if (fading && alpha <= 0.0f) visible = false;
}

void Boss::flash(float seconds, int repeats) {
  alpha = 255.0f;
  alphaInterp.start(0.0f, seconds, repeats);
  alphaInterp.pingPong = true;
}

void Boss::fadeOut() {
  fading = true;
  alphaInterp.start(0.0f, kFadeOutS, 0);
  alphaInterp.pingPong = false;
}

void Boss::stopMoving() {
  xInterp.stop();
  yInterp.stop();
  moving = false;
}

void Boss::playPlain(const std::string& name, int pitch) {
  GameApp& app = *GameApp::instance;
  if (app.sound) app.sound->playSample(name, kFullVolume, kCentrePan, pitch, false);
}

void Boss::startOpeningExit(float periodS) {
  openPeriod = periodS;
  openTimer = periodS;
}

int Boss::exitStepDue(float dt, int steps) {
  if (openStep >= steps) return -1;
  openTimer -= dt;
  if (openTimer > 0.0f) return -1;
  openTimer += openPeriod;
  return openStep++;
}
