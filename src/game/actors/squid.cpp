#include "game/actors/squid.h"

#include "engine/tile_map.h"
#include "flow/game_app.h"
#include "game/actors/ink_blot.h"
#include "game/actors/player.h"

namespace {

const int kHitPoints = 3;
const float kFirstPauseS = 1.0f;
const float kThrowPauseS = 0.5f;
const float kSwimLoopS = 1.0f;       // one loop of its ten swim frames
const int kSwimFrames = 10;
const float kBellyDropPx = 64.0f;    // the point under it that traps touch
const float kBellyReachSq = 16384.0f;  // 128 px
const float kBodySq = 4096.0f;         // 64 px
const float kFlashS = 0.1f;
const int kFlashRepeats = 3;
const float kOpenStepS = 0.7f;
const int kExitColumn = 8, kExitTopRow = 6, kExitSteps = 4;
const int kColumnTopTile = 4, kBlockTile = 0;

}  // namespace

Squid::Squid() : Boss(kHitPoints) {
  loadArt("squid.dat");
  pauseTimer = kFirstPauseS;
  playAnimation("swim", 0, kSwimFrames, kSwimLoopS, -1, false, 0.0f);
}

void Squid::think(float dt) {
  if (!alive()) {
    openExit(dt);
    return;
  }
  Player* player = GameApp::instance->player;
  if (player) touch(*player);
  absorbTrappedInk();
  if (alive()) swim(dt);
}

// Towards a waypoint, a pause there, then on to the next.
void Squid::swim(float dt) {
  if (moving) return;
  if (pauseTimer <= 0.0f) {
    arrive();
    return;
  }
  pauseTimer -= dt;
  if (pauseTimer > 0.0f) return;
  const Vector2& target = waypoints[waypointIndex];
  waypointIndex = (waypointIndex + 1) % static_cast<int>(waypoints.size());
  moveTo(target.x, target.y, static_cast<float>(speed));
}

void Squid::arrive() {
  pauseTimer = kThrowPauseS;
  Player* player = GameApp::instance->player;
  if (player) throwInk(*player);
}

void Squid::throwInk(const Player& player) {
  playPlain("squidshoot");
  auto* blot = new InkBlot(player.x, player.y);
  blot->setPosition(static_cast<int>(x), static_cast<int>(y));
  blot->aim();
  GameApp::instance->addActor(blot);
}

// Its arms reach down: a fish below its middle is caught farther out.
void Squid::touch(Player& player) {
  if (player.dead) return;
  bool below = player.y > y;
  bool inArms = below && squaredDistance(player.x, player.y, x, y + kBellyDropPx) < kBellyReachSq;
  if (inArms || squaredDistance(player.x, player.y, x, y) < kBodySq) player.hurt();
}

void Squid::absorbTrappedInk() {
  if (flashing()) return;
  for (Actor* actor : GameApp::instance->actors) {
    if (actor == this || !actor->visible || actor->trapTimer <= 0.0f) continue;
    if (squaredDistance(actor->x, actor->y, x, y + kBellyDropPx) >= kBellyReachSq) continue;
    actor->visible = false;
    actor->bubbleOverlay.visible = false;
    flash(kFlashS, kFlashRepeats);
    hitPoints -= 1;
    if (!alive()) {
      stopMoving();
      fadeOut();
      startOpeningExit(kOpenStepS);
    }
    return;
  }
}

// The wall column sinks into the floor: each step empties its top tile and
// makes the next one down the new top, the last one a plain block.
void Squid::openExit(float dt) {
  int step = exitStepDue(dt, kExitSteps);
  TileMap* map = GameApp::instance->tileMap;
  if (step < 0 || !map) return;
  int row = kExitTopRow + step;
  map->setCell(kExitColumn, row, -1);
  map->setCell(kExitColumn, row + 1, step < kExitSteps - 1 ? kColumnTopTile : kBlockTile);
}
