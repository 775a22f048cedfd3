#include "game/actors/big_boss_bird.h"

#include "flow/game_app.h"
#include "game/actors/gust.h"
#include "game/actors/player.h"
#include "game/treasure.h"
#include "game/vector2.h"

namespace {

enum BirdState { kWait = 0, kFlyAcross = 1, kDive = 2, kStop = 3, kClimb = 4, kDropGust = 5 };

const int kHitPoints = 3;
const int kStartX = 740, kStartY = 200;
const int kFlySubDatafile = 0, kDiveSubDatafile = 1;
const int kFlyFrames = 10, kDiveFrames = 3;
const float kFlapS = 0.5f, kPlungeS = 0.3f;
const float kWaitS = 0.5f, kAfterGustS = 1.0f, kStopS = 0.25f;
const float kLeftEndX = 120.0f, kRightEndX = 680.0f;
const float kLeftwardSpeed = 300.0f;  // px/s
const int kBaseSpeed = 375, kSpeedPerHitPoint = 25;  // px/s, gusts and rightward runs
const float kDiveSpeed = 600.0f;
const float kContactSq = 4096.0f;  // 64 px
const float kSpikeSq = 6400.0f;    // 80 px
const char* const kSpikesKind = "dat/spikes.dat";
const float kFlashS = 0.1f;
const int kFlashRepeats = 3;
const float kTreasureSpeed = 200.0f;
const int kTilePx = 80;

int tileOf(float px) { return static_cast<int>(px * 0.0125f); }

}  // namespace

BigBossBird::BigBossBird() : Boss(kHitPoints) {
  loadArt("bigbossbird.dat");
  datafile.useSubDatafile(kFlySubDatafile);
}

void BigBossBird::onAdded() {
  setPosition(kStartX, kStartY);
  stopMoving();
  fromRight = 0;
  enterState(kWait);
  // It flies at its start height between dives: the camera keeps that in
  // sight below the heads-up display, from its entrance on.
  GameApp::instance->bossFlightTop = static_cast<float>(boundingBox().top);
}

void BigBossBird::think(float dt) {
  Player* player = GameApp::instance->player;
  if (!alive()) {
    if (player) sendTreasure(*player);
    return;
  }
  if (trapTimer > 0.0f) return;
  if (player) touch(*player);
  if ((state == kFlyAcross || state == kClimb) && player && seesPlayerBelow(*player)) enterState(kStop);
  if (state == kClimb && !flashing()) checkSpikes();
  if (alive()) advance(dt);
}

void BigBossBird::enterState(int next) {
  state = next;
  switch (next) {
    case kWait: enterWait(); break;
    case kDropGust: dropGust(); break;
    case kFlyAcross: enterFlyAcross(); break;
    case kStop:
      stopMoving();
      stateTimer = kStopS;
      break;
    case kDive: enterDive(); break;
    case kClimb: enterClimb(); break;
    default: break;
  }
}

void BigBossBird::enterWait() {
  datafile.useSubDatafile(kFlySubDatafile);
  playAnimation("fly", 0, kFlyFrames, kFlapS, -1, false, 0.0f);
  stateTimer = kWaitS;
  hFlip = fromRight != 0;
  returning = false;
}

void BigBossBird::dropGust() {
  auto* gust = new Gust(flightSpeed());
  gust->hFlip = hFlip;
  gust->setPosition(static_cast<int>(x), static_cast<int>(y));
  GameApp::instance->addActor(gust);
  stateTimer = kAfterGustS;
}

// Runs alternate sides; a run cut short by a dive resumes to the same side.
void BigBossBird::enterFlyAcross() {
  if (!returning) fromRight = !fromRight;
  if (fromRight) moveTo(kLeftEndX, y, kLeftwardSpeed);
  else moveTo(kRightEndX, y, static_cast<float>(flightSpeed()));
}

void BigBossBird::enterDive() {
  playPlain("seagull");
  datafile.useSubDatafile(kDiveSubDatafile);
  playAnimation("dive", 0, kDiveFrames, kPlungeS, 0, false, 0.0f);
  diveStartY = static_cast<int>(y);
  moveTo(x, floorBelow(), kDiveSpeed);
}

void BigBossBird::enterClimb() {
  returning = true;
  datafile.useSubDatafile(kFlySubDatafile);
  playAnimation("fly", 0, kFlyFrames, kFlapS, -1, false, 0.0f);
  moveTo(x, static_cast<float>(diveStartY), kDiveSpeed);
}

void BigBossBird::advance(float dt) {
  static const int kAfterTimer[] = {kDropGust, -1, -1, kDive, -1, kFlyAcross};
  static const int kAfterMove[] = {-1, kWait, kClimb, -1, kFlyAcross, -1};
  if (kAfterTimer[state] >= 0) {
    stateTimer -= dt;
    if (stateTimer <= 0.0f) enterState(kAfterTimer[state]);
  } else if (!moving) {
    enterState(kAfterMove[state]);
  }
}

bool BigBossBird::seesPlayerBelow(const Player& player) const {
  if (player.dead) return false;
  GameApp& app = *GameApp::instance;
  int column = tileOf(x);
  if (tileOf(player.x) != column) return false;
  for (int row = tileOf(y); !app.isSolidTile(column, row); ++row) {
    if (tileOf(player.y) == row) return true;
  }
  return false;
}

float BigBossBird::floorBelow() const {
  GameApp& app = *GameApp::instance;
  int column = tileOf(x), row = tileOf(y);
  while (!app.isSolidTile(column, row + 1)) row += 1;
  return static_cast<float>(row * kTilePx + kTilePx / 2);
}

void BigBossBird::touch(Player& player) {
  if (!player.dead && squaredDistance(player.x, player.y, x, y) < kContactSq) player.hurt();
}

void BigBossBird::checkSpikes() {
  for (Actor* actor : GameApp::instance->actors) {
    if (actor->kind() != kSpikesKind) continue;
    if (squaredDistance(actor->x, actor->y, x, y) >= kSpikeSq) continue;
    flash(kFlashS, kFlashRepeats);
    playSoundAt("bigseagull-hit");
    hitPoints -= 1;
    if (!alive()) {
      stopMoving();
      fadeOut();
    }
    return;
  }
}

void BigBossBird::sendTreasure(const Player& player) {
  GameApp& app = *GameApp::instance;
  if (app.treasures.empty() || app.treasures.front()->collected) return;
  app.treasures.front()->moveTo(player.x, player.y, kTreasureSpeed);
}

int BigBossBird::flightSpeed() const { return kBaseSpeed - kSpeedPerHitPoint * hitPoints; }
