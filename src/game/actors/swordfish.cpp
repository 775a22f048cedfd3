#include "game/actors/swordfish.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/particle_system.h"
#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/vector2.h"

namespace {

const int kHitPoints = 4;
const float kBobPx = 10.0f, kBobS = 0.8f;
const float kKeepAwayPx = 200.0f;     // where it wants the fish
const float kFollowBeyondPx = 128.0f; // it only moves once the fish is farther
const float kBaseSpeed = 160.0f, kSpeedPerHitPoint = 20.0f;  // px/s
const float kBandPx = 160.0f;         // kept this far from either level edge
const float kTooCloseGapPx = 25.0f;
const float kThrustGapPx = 160.0f;
const float kClashGapPx = 220.0f;
const int kThrustFirstFrame = 16, kThrustLastFrame = 19;
const int kAttackLastFrame = 30;
const int kClashParticles = 5;
const float kClashOffsetPx = 120.0f;  // where the blades meet, left of the body
const float kPlungerReachPx = 72.0f;
const float kPlungerHitSq = 1024.0f;  // 32 px
const float kFleeY = -300.0f, kFleeSpeed = 500.0f;
const float kFlashS = 0.1f;
const int kFlashRepeats = 3;
const char* const kAttack = "attack";

// The thrust quickens as the swordfish tires, with a little chance in it.
float attackSeconds(int hitPoints) {
  return 1.0f + (std::rand() % 100) * 0.002f - (3 - hitPoints) * 0.15f;
}

float nextAttackDelayS() { return 0.1f + (std::rand() % 200) * 0.01f; }

}  // namespace

Swordfish::Swordfish() : Boss(kHitPoints) {
  loadArt("swordfish.dat");
  alpha = 255.0f;
  bobTween.setUpdatee(&bobOffset);
  bobTween.pingPong = true;
  bobTween.start(kBobPx, kBobS, -1);
}

void Swordfish::think(float dt) {
  bobTween.update(dt);
  cameraOffsetY = static_cast<int>(bobOffset);
  Player* player = GameApp::instance->player;
  if (!visible || !alive() || !player) return;
  if (!attacking()) {
    keepDistance(*player);
    attackTimer -= dt;
    if (attackTimer <= 0.0f) startAttack();
  }
  x = inBand(x);
  float gap = std::fabs(player->x - x);
  if (gap < kTooCloseGapPx && !player->dead) {
    playPlain("swordfish_laugh");
    player->hurt();
  }
  int shown = static_cast<int>(frame);
  if (attacking() && shown >= kThrustFirstFrame && shown <= kThrustLastFrame) thrust(*player, gap);
  takePlungerHit(*player);
}

bool Swordfish::attacking() const { return animation.running && currentAnimation == kAttack; }

void Swordfish::keepDistance(const Player& player) {
  float speed = kBaseSpeed - kSpeedPerHitPoint * hitPoints;
  if (player.x < x - kFollowBeyondPx) moveTo(inBand(player.x + kKeepAwayPx), y, speed);
  else if (player.x > x + kFollowBeyondPx) moveTo(inBand(player.x - kKeepAwayPx), y, speed);
}

float Swordfish::inBand(float px) const {
  float right = std::max(kBandPx, GameApp::instance->levelWidth - kBandPx);
  return std::clamp(px, kBandPx, right);
}

void Swordfish::startAttack() {
  canClash = 1;
  playAnimation(kAttack, 0, kAttackLastFrame, attackSeconds(hitPoints), 0, false, 0.0f);
  attackTimer = nextAttackDelayS();
}

void Swordfish::thrust(Player& player, float gap) {
  if (player.dead) return;
  if (gap < kThrustGapPx) {
    playPlain("swordfish_laugh");
    player.hurt();
  } else if (gap < kClashGapPx && canClash) {
    playPlain(std::rand() % 2 ? "swordclash" : "swordclash2");
    ParticleSystem* sparks = GameApp::instance->particles[0];
    if (sparks) sparks->burst(x - kClashOffsetPx, y, kClashParticles, -1);
    canClash = 0;
  }
}

void Swordfish::takePlungerHit(Player& player) {
  if (player.dashState == 0 || !player.plungerArmed) return;
  float tipX = player.hFlip ? player.x + kPlungerReachPx : player.x - kPlungerReachPx;
  if (squaredDistance(tipX, player.y, x, y) >= kPlungerHitSq) return;
  player.plungerArmed = 0;  // one hit per lunge
  flash(kFlashS, kFlashRepeats);
  hitPoints -= 1;
  if (alive()) playPlain("swordfish_hit");
  else flee();
}

void Swordfish::flee() {
  playPlain("swordfish_lose");
  alpha = 255.0f;
  stopAnimating();
  frame = 0.0f;
  moveTo(x, kFleeY, kFleeSpeed);
  fadeOut();
}
