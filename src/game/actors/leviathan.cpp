#include "game/actors/leviathan.h"

#include "engine/tile_map.h"
#include "flow/game_app.h"
#include "game/actors/leviathan_shot.h"
#include "game/actors/player.h"
#include "game/vector2.h"

namespace {

const int kHitPoints = 12;
const int kBottomCentre = 2;
const int kDrawDropPx = 80;           // the neck runs out below its position
const float kCornerRightPx = 320.0f, kCornerBottomPx = 400.0f;
const float kHeadRisePx = 200.0f;     // its head, above its position
const float kHeadReachSq = 40000.0f;  // 200 px
const float kShotGapS = 0.5f;
const int kShotsPerVolley = 3;
const float kRestS = 6.0f;
const float kVolleyStartS = 0.1f;
const int kShotBaseSpeed = 220, kShotSpeedPerHitPoint = 10;  // px/s
const int kBreakFrames = 10;
const float kBreakS = 0.2f;
const float kFlashS = 0.2f;
const int kFlashRepeats = 7;
const float kOpenStepS = 0.7f;
const int kExitColumn = 3, kExitTopRow = 6, kExitTiles = 2;

}  // namespace

Leviathan::Leviathan() : Boss(kHitPoints) {
  loadArt("leviathan.dat");
  anchor = kBottomCentre;
  cameraOffsetY = kDrawDropPx;
}

void Leviathan::think(float dt) {
  if (!alive()) {
    openExit(dt);
    return;
  }
  Player* player = GameApp::instance->player;
  if (player) guardCorner(*player);
  takeReturnedShots();
  if (alive()) fireVolleys(dt);
}

void Leviathan::guardCorner(Player& player) {
  if (!player.dead && player.x < kCornerRightPx && player.y < kCornerBottomPx) player.hurt();
}

void Leviathan::takeReturnedShots() {
  for (Actor* actor : GameApp::instance->actors) {
    if (actor == this || !actor->visible) continue;
    // Its own shots leave from inside this reach; only one the player's
    // bubble has carried back may hurt it, or waiting above it would win.
    auto* shot = dynamic_cast<LeviathanShot*>(actor);
    if (shot && !shot->carried) continue;
    if (squaredDistance(actor->x, actor->y, x, y - kHeadRisePx) >= kHeadReachSq) continue;
    actor->visible = false;
    flash(kFlashS, kFlashRepeats);
    playPlain("levow");
    hitPoints -= 1;
    if (!alive()) {
      playPlain("levdie");
      fadeOut();
      startOpeningExit(kOpenStepS);
      return;
    }
  }
}

void Leviathan::fireVolleys(float dt) {
  if (restTimer > 0.0f) {
    restTimer -= dt;
    if (restTimer > 0.0f) return;
    restTimer = 0.0f;
    shotsFired = 0;
    shotTimer = kVolleyStartS;
    return;
  }
  shotTimer -= dt;
  if (shotTimer > 0.0f) return;
  fire();
  shotTimer = kShotGapS;
  shotsFired += 1;
  if (shotsFired >= kShotsPerVolley) restTimer = kRestS;
}

// Out of the jaws, from the leviathan's own position, its head 200 px
// above: a fresh shot starts just outside the reach that hurts it.
void Leviathan::fire() {
  playSoundAt("levlaser");
  auto* shot = new LeviathanShot(kShotBaseSpeed - kShotSpeedPerHitPoint * hitPoints);
  shot->setPosition(static_cast<int>(x), static_cast<int>(y));
  GameApp::instance->addActor(shot);
  playAnimation("break", 0, kBreakFrames, kBreakS, 0, false, 0.0f);
}

void Leviathan::openExit(float dt) {
  int step = exitStepDue(dt, kExitTiles);
  TileMap* map = GameApp::instance->tileMap;
  if (step >= 0 && map) map->setCell(kExitColumn, kExitTopRow + step, -1);
}
