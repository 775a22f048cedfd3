#include "game/actors/sentinel.h"

#include <cmath>

#include "engine/screen.h"
#include "flow/game_app.h"
#include "game/actors/contact.h"
#include "game/actors/player.h"
#include "sound/sound_manager.h"
#include "game/actors/tile_grid.h"

namespace {

using namespace tile_grid;

const int kBeamFrame = 1;
const float kBeamSpeed = 1000.0f;   // px/s
const float kMuzzleAheadPx = 40.0f, kMuzzleAbovePx = 20.0f;
const float kBeamHitPx = 40.0f;
const int kLaserVolume = 255, kNormalPitch = 1000;
const float kPanPerPx = 255.0f * 0.00125f;
const int kBeamLayer = 2;

}  // namespace

Sentinel::Sentinel() {
  loadArt("sentinel.dat");
  beam.datafile.open("sentinel.dat");
  beam.frame = kBeamFrame;
  beam.anchor = 1;
  beam.visible = false;
}

Sentinel::~Sentinel() { stopBeam(); }

void Sentinel::step(float dt) {
  Actor::step(dt);
  if (GameApp::instance->paused) return;
  // A bubble does not blind it: it watches and fires while trapped.
  if (firing) moveBeam(dt);
  else if (seesPlayer()) fire();
}

bool Sentinel::seesPlayer() const {
  GameApp& app = *GameApp::instance;
  const Player* player = livingPlayer();
  if (!player || tileOf(player->y) != tileY()) return false;
  int playerColumn = tileOf(player->x);
  int step = facingLeft() ? -1 : 1;
  if ((playerColumn - tileX()) * step <= 0) return false;
  for (int column = tileX() + step; column != playerColumn; column += step) {
    if (app.isSolidTile(column, tileY()) || app.solidActorAt(tileCentre(column), tileCentre(tileY()))) return false;
  }
  return true;
}

void Sentinel::fire() {
  GameApp& app = *GameApp::instance;
  if (app.sound) {
    int pan = static_cast<int>((x - app.player->x) * kPanPerPx);
    app.sound->playSample("levlaser", kLaserVolume, pan, kNormalPitch, false);
  }
  beamX = x + (facingLeft() ? -kMuzzleAheadPx : kMuzzleAheadPx);
  beamY = y - kMuzzleAbovePx;
  beam.hFlip = hFlip;
  beam.visible = true;
  beam.setPosition(static_cast<int>(beamX), static_cast<int>(beamY));
  if (app.screen) app.screen->addToLayer(&beam, kBeamLayer);
  firing = 1;
}

void Sentinel::moveBeam(float dt) {
  beamX += (facingLeft() ? -kBeamSpeed : kBeamSpeed) * dt;
  beam.setPosition(static_cast<int>(beamX), static_cast<int>(beamY));
  if (beamBlocked() || hurtPlayerWithin(beamX, beamY, kBeamHitPx, true) || hitFishInRow()) stopBeam();
}

// The bolt flies 20 px above the row's middle, so the distance test alone
// misses a fish hugging the floor of the very row the statue fires at.
bool Sentinel::hitFishInRow() const {
  Player* player = livingPlayer();
  if (!player || tileOf(player->y) != tileY() || std::fabs(player->x - beamX) >= kBeamHitPx) return false;
  player->hurt();
  return true;
}

void Sentinel::stopBeam() {
  firing = 0;
  beam.visible = false;
  GameApp* app = GameApp::instance;
  if (app && app->screen) app->screen->removeFromLayer(&beam, kBeamLayer);
}

bool Sentinel::beamBlocked() const {
  GameApp& app = *GameApp::instance;
  if (beamX < 0.0f || beamX >= app.levelWidth) return true;
  return app.isSolidTile(tileOf(beamX), tileOf(beamY)) || app.solidActorAt(static_cast<int>(beamX), static_cast<int>(beamY));
}
