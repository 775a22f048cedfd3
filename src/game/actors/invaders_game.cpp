#include "game/actors/invaders_game.h"

#include <algorithm>
#include <cstdlib>

#include "flow/game_app.h"
#include "game/actors/ink_blot.h"
#include "game/actors/player.h"
#include "game/vector2.h"

namespace {

const int kCoins = 40;
const int kActorLayer = 2;

// Row -> the creature art it borrows, the hits it takes, whether it is
// drawn mirrored, the frame it shows and the frames of its loop (0: still).
const struct {
  const char* art;
  int hits;
  bool mirrored;
  int frame;
  int loopFrames;
} kRowKinds[InvadersGame::kRows] = {
    {"dancefish.dat", 3, true, 0, 0},   {"sleepyfish.dat", 2, true, 1, 0},
    {"piratefish.dat", 2, false, 0, 10}, {"mrpuffer.dat", 1, true, 0, 0},
    {"crab.dat", 1, false, 0, 10},
};
const float kLoopS = 1.0f;

const int kRowSpacingPx = 80, kFirstRowX = -280;
const int kFirstInvaderY = 40, kInvaderSpacingPx = 80;
const float kTopY = 40.0f, kBottomY = 560.0f;  // the formation turns here
const float kStepRightPx = 20.0f;
const float kSpeedUpPerKill = 2.0f;  // px/s
const float kShotIntervalS = 1.5f;
const int kShotJitterSteps = 200;
const float kShotJitterStepS = 0.01f;
const float kInkTargetX = 840.0f;
const float kHitSq = 4096.0f;  // 64 px
const float kFadeS = 0.25f;
const float kLossX = 680.0f;
const int kBubbleStock = 3;
const MiniGame::Payout kPayout = {850.0f, 16.0f, 400.0f, true};

}  // namespace

InvadersGame::InvadersGame() : MiniGame(kCoins) {
  visible = false;
  untrappable = 1;
}

void InvadersGame::onAdded() {
  if (Player* player = GameApp::instance->player) {
    player->longShot = 1;
    player->steerLock = 1;
    player->hFlip = false;
  }
  lineUp();
  startLeg();
}

void InvadersGame::lineUp() {
  GameApp& app = *GameApp::instance;
  for (int r = 0; r < kRows; ++r) {
    for (int i = 0; i < kPerRow; ++i) {
      auto* actor = new Actor;
      actor->loadArt(kRowKinds[r].art);
      actor->hFlip = kRowKinds[r].mirrored;
      actor->frame = static_cast<float>(kRowKinds[r].frame);
      if (kRowKinds[r].loopFrames > 0)
        actor->playAnimation("march", 0, kRowKinds[r].loopFrames, kLoopS, -1, false, 0.0f);
      actor->setPosition(kRowSpacingPx * r + kFirstRowX, kFirstInvaderY + kInvaderSpacingPx * i);
      app.addSprite(actor, kActorLayer);
      invaders[r][i] = {actor, kRowKinds[r].hits};
    }
  }
}

void InvadersGame::step(float dt) {
  Actor::step(dt);
  GameApp& app = *GameApp::instance;
  if (app.paused) return;
  if (Player* player = app.player) {
    player->bubbles = kBubbleStock;
    player->hFlip = false;
  }
  if (!anyMoving()) turn();
  throwInk(dt);
  hitWithShot();
  hideFaded();
  checkLoss();
  if (invadersLeft == 0) won = 1;
  payOut(dt, kPayout);
}

bool InvadersGame::anyMoving() const {
  for (const auto& row : invaders)
    for (const Invader& invader : row)
      if (invader.actor->visible && invader.actor->moving) return true;
  return false;
}

void InvadersGame::turn() {
  march = march == kDown ? kUp : kDown;
  for (auto& row : invaders)
    for (Invader& invader : row) invader.actor->x += kStepRightPx;
  startLeg();
}

// Moves the whole formation until its lowest (or topmost) visible invader
// reaches the turning line.
void InvadersGame::startLeg() {
  float edge = march == kDown ? -1e9f : 1e9f;
  for (const auto& row : invaders) {
    for (const Invader& invader : row) {
      if (!invader.actor->visible) continue;
      edge = march == kDown ? std::max(edge, invader.actor->y) : std::min(edge, invader.actor->y);
    }
  }
  float shift = march == kDown ? kBottomY - edge : kTopY - edge;
  if (invadersLeft == 0 || shift == 0.0f) return;
  for (auto& row : invaders)
    for (Invader& invader : row) {
      Actor& actor = *invader.actor;
      actor.moveTo(actor.x, actor.y + shift, marchSpeed);
    }
}

void InvadersGame::throwInk(float dt) {
  shotTimer -= dt;
  if (shotTimer > 0.0f) return;
  shotTimer = kShotIntervalS + (std::rand() % kShotJitterSteps) * kShotJitterStepS;
  bool anyVisible = false;
  for (const auto& row : invaders)
    for (const Invader& invader : row) anyVisible = anyVisible || invader.actor->visible;
  if (!anyVisible) return;
  Actor* thrower = nullptr;
  while (!thrower || !thrower->visible) {
    int row = std::rand() % kRows;
    thrower = invaders[row][std::rand() % kPerRow].actor;
  }
  auto* blot = new InkBlot(kInkTargetX, thrower->y);
  blot->setPosition(static_cast<int>(thrower->x), static_cast<int>(thrower->y));
  blot->aim();
  GameApp::instance->addActor(blot);
}

void InvadersGame::hitWithShot() {
  Player* player = GameApp::instance->player;
  if (!player || !player->shot.visible) return;
  for (int r = kRows - 1; r >= 0; --r) {
    for (Invader& invader : invaders[r]) {
      Actor& actor = *invader.actor;
      if (!actor.visible || invader.hits < 1 || actor.alphaInterp.running) continue;
      if (squaredDistance(actor.x, actor.y, player->shot.x, player->shot.y) >= kHitSq) continue;
      player->endShot();
      hitInvader(invader);
      return;
    }
  }
}

void InvadersGame::hitInvader(Invader& invader) {
  invader.hits -= 1;
  if (invader.hits > 0) return;
  invadersLeft -= 1;
  marchSpeed += kSpeedUpPerKill;
  invader.actor->alphaInterp.start(0.0f, kFadeS, 0);
}

void InvadersGame::hideFaded() {
  for (auto& row : invaders)
    for (Invader& invader : row)
      if (invader.actor->alpha <= 0.0f) invader.actor->visible = false;
}

void InvadersGame::checkLoss() {
  Player* player = GameApp::instance->player;
  if (!player || player->dead) return;
  for (const auto& row : invaders)
    for (const Invader& invader : row)
      if (invader.actor->visible && invader.hits > 0 && invader.actor->x > kLossX) player->hurt();
}
