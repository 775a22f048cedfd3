// The player's frame: power-ups on real time, the shot and its catch,
// bobbing, pickups, then hopping, swimming or riding, walls and the plunger.
#include <vector>

#include "engine/particle_system.h"
#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/treasure.h"
#include "sound/sound_manager.h"

namespace {

const float kShotTrapS = 5.0f;
const int kNormalMusicPitch = 1000;
const float kMusicRestoreS = 0.5f;
const float kSpeedBoostFactor = 1.5f;
const float kHopTreasureRaisePx = 40.0f;  // in hop mode the position is the feet
const float kCoinReachSq = 1600.0f;       // 40 px
const int kPickupParticles = 20;
const float kTreasureFadeS = 0.5f;

GameApp& game() { return *GameApp::instance; }

int tileOf(float coordinate) { return static_cast<int>(coordinate * 0.0125f); }

void celebrateAt(float x, float y) {
  GameApp& app = game();
  Actor::playCentred("treasure");
  if (app.particles[0]) app.particles[0]->burst(static_cast<int>(x), static_cast<int>(y), kPickupParticles, -1);
}

}  // namespace

void Player::step(float dt) {
  GameApp& app = game();
  if (app.paused) return;
  tickPowerups(dt);
  updateShot();
  bobTween.update(dt);
  Sprite::step(dt);
  poll();
  if (!dead) {
    cameraOffsetY = static_cast<int>(bobOffset);
    collectTreasure();
    collectCoins();
  }
  if (app.levelFrozen) return;  // the dance game moves the fish by its steps
  float factor = hasPowerup(kPowerupSpeedBoost) ? kSpeedBoostFactor : 1.0f;
  if (hopMode) {
    hop(dt, factor);
    return;
  }
  if (miniGameLock) {
    stopOnFrameZero();
    return;
  }
  float oldX = x, oldY = y;
  if (riding()) moveOnRide(dt);
  else swim(dt, factor);
  pushBlocks(oldX, oldY);
  keepOutOfWalls(oldX, oldY);
  updatePlunger();
}

void Player::tickPowerups(float dt) {
  GameApp& app = game();
  // Power-ups are bought by the second: slow motion must not stretch them.
  float realDt = dt / app.timeScale;
  for (auto entry = powerups.begin(); entry != powerups.end();) {
    entry->second -= realDt;
    if (entry->second >= 0.0f) {
      ++entry;
      continue;
    }
    bool slowMotion = entry->first == kPowerupSlowMotion;
    entry = powerups.erase(entry);
    if (!slowMotion) continue;
    if (app.sound) app.sound->slideMusic(kNormalMusicPitch, kMusicRestoreS);
    app.timeScale = 1.0f;
  }
}

void Player::updateShot() {
  if (!shot.visible) return;
  if (shot.alpha <= 0.0f) {
    endShot();
    return;
  }
  for (Actor* actor : game().actors) {
    if (!actor->visible || actor->untrappable) continue;
    float reach = actor->trapRadius;
    if (squaredDistance(shot.x, shot.y, actor->x, actor->y) >= reach * reach) continue;
    actor->trapInBubble(kShotTrapS);
    endShot();  // one catch per shot
    return;
  }
}

void Player::collectTreasure() {
  int tx = tileOf(x), ty = tileOf(hopMode ? y - kHopTreasureRaisePx : y);
  for (Treasure* treasure : game().treasures) {
    if (!treasure->visible || treasure->alphaInterp.running || treasure->alpha != 255.0f) continue;
    if (tileOf(treasure->x) != tx || tileOf(treasure->y) != ty) continue;
    treasure->alphaInterp.start(0.0f, kTreasureFadeS, 0);
    treasure->collected = 1;
    celebrateAt(treasure->x, treasure->y);
    // The heads-up bar shows the count as the level goes on, not only at
    // the win.
    game().countTreasures();
  }
}

void Player::collectCoins() {
  GameApp& app = game();
  app.actorIndex.refresh(app.actors);
  for (Actor* coin : app.actorIndex.coins) {
    if (!coin->visible) continue;
    if (squaredDistance(x, y, coin->x, coin->y) >= kCoinReachSq) continue;
    coinsThisLevel += 1;
    coin->visible = false;
    coin->bubbleOverlay.visible = false;
    coin->alpha = 0.0f;
    celebrateAt(coin->x, coin->y);
  }
}
