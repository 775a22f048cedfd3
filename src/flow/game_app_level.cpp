// The level services every actor draws on: tile queries, the actor and
// treasure lists, placement and the camera.
#include <algorithm>

#include "engine/screen.h"
#include "engine/tile_map.h"
#include "flow/game_app.h"
#include "game/actors/actor.h"
#include "game/actors/player.h"
#include "game/treasure.h"
#include "game/vector2.h"

namespace {

const int kTilePx = 80;
const int kActorLayer = 2;
const int kLastWallId = 6;
const float kNearSq = 4096.0f;  // 64 px
const float kRideLeadPx = 200.0f;
const int kHudClearancePx = 8;  // between the heads-up display and the fish
const char* const kSentinelKind = "dat/sentinel.dat";

int tileCentre(int tile) { return tile * kTilePx + kTilePx / 2; }
// The tile solidActorAt reads for the centre of tile: tile itself from 0 on.
int centreTile(int tile) { return tileCentre(tile) / kTilePx; }

}  // namespace

bool GameApp::isSolidTile(int tx, int ty) {
  if (!tileMap) return true;
  int id = tileMap->cellAt(tx, ty);
  return id >= 0 && id <= kLastWallId;
}

bool GameApp::isBlocked(int tx, int ty) {
  if (!tileMap) return true;
  actorIndex.refresh(actors);
  for (const Actor* sentinel : actorIndex.sentinels) {
    if (sentinel->tileX() == tx && sentinel->tileY() == ty) return true;
  }
  return isSolidTile(tx, ty);
}

bool GameApp::solidActorAt(int px, int py) {
  int tx = px / kTilePx, ty = py / kTilePx;
  actorIndex.refresh(actors);
  for (const Actor* actor : actorIndex.solids) {
    if (actor->visible && actor->solid && actor->tileX() == tx && actor->tileY() == ty) return true;
  }
  return false;
}

bool GameApp::solidActorNear(int index) {
  if (index < 0 || index >= static_cast<int>(actors.size())) return false;
  const Actor* self = actors[index];
  actorIndex.refresh(actors);
  for (const Actor* other : actorIndex.solids) {
    if (other == self || !other->visible || !other->solid) continue;
    if (squaredDistance(self->x, self->y, other->x, other->y) < kNearSq) return true;
  }
  return false;
}

bool GameApp::actorOfKindAt(int tx, int ty, const std::string& datafileName) {
  actorIndex.refresh(actors);
  if (datafileName == kSentinelKind) {
    for (const Actor* sentinel : actorIndex.sentinels)
      if (sentinel->tileX() == tx && sentinel->tileY() == ty) return true;
    return false;
  }
  for (Actor* actor : actors) {
    if (actor->kind() == datafileName && actor->tileX() == tx && actor->tileY() == ty) return true;
  }
  return false;
}

void GameApp::findSlideStops(bool alongRow, int line, std::vector<int>& sentinelStops,
                             std::vector<int>& solidStops) {
  actorIndex.refresh(actors);
  auto along = [alongRow](const Actor* actor) { return alongRow ? actor->tileX() : actor->tileY(); };
  auto across = [alongRow](const Actor* actor) { return alongRow ? actor->tileY() : actor->tileX(); };
  for (const Actor* sentinel : actorIndex.sentinels)
    if (across(sentinel) == line) sentinelStops.push_back(along(sentinel));
  // Solid actors are found by the tile of the cell's centre pixel, which
  // is the cell itself except left of and above the level.
  for (const Actor* actor : actorIndex.solids)
    if (actor->visible && actor->solid && across(actor) == centreTile(line)) solidStops.push_back(along(actor));
}

void GameApp::slideActor(int direction, Actor* actor, float speed) {
  int tx = actor->tileX(), ty = actor->tileY();
  bool alongRow = direction == 0 || direction == 1;
  // The actors in the slide's row or column, found once rather than per cell.
  std::vector<int> sentinelStops, solidStops;
  findSlideStops(alongRow, alongRow ? ty : tx, sentinelStops, solidStops);
  auto listed = [](const std::vector<int>& list, int value) {
    return std::find(list.begin(), list.end(), value) != list.end();
  };
  auto stops = [&](int cx, int cy) {
    int along = alongRow ? cx : cy;
    return listed(sentinelStops, along) || isSolidTile(cx, cy) || listed(solidStops, centreTile(along));
  };
  float targetX = actor->x, targetY = actor->y;
  if (direction == 0) {
    int n = tx - 1;
    while (n > 0 && !stops(n, ty)) n -= 1;
    targetX = static_cast<float>(n * kTilePx + kTilePx + kTilePx / 2);
  } else if (direction == 1) {
    int i = tx + 1;
    while (i < levelWidth / kTilePx && !stops(i, ty)) i += 1;
    targetX = static_cast<float>(i * kTilePx - kTilePx / 2);
  } else if (direction == 2) {
    int i = ty + 1;
    while (i < levelHeight / kTilePx && !stops(tx, i)) i += 1;
    targetY = static_cast<float>(i * kTilePx - kTilePx / 2);
  } else {
    int n = ty - 1;
    while (n > 0 && !stops(tx, n)) n -= 1;
    targetY = static_cast<float>(n * kTilePx + kTilePx + kTilePx / 2);
  }
  actor->moveTo(targetX, targetY, speed);
}

void GameApp::addActor(Actor* actor) {
  actor->onAdded();
  addSprite(actor, kActorLayer);
  actors.push_back(actor);
  actorIndex.invalidate();
}

void GameApp::addActorAtTile(Actor* actor, int tx, int ty, int yOffset) {
  addActor(actor);
  actor->setPosition(tileCentre(tx), tileCentre(ty) + yOffset);
}

void GameApp::removeActor(Actor* actor) {
  auto found = std::find(actors.begin(), actors.end(), actor);
  if (found != actors.end()) actors.erase(found);
  actorIndex.invalidate();
  if (screen) screen->removeFromLayer(actor, kActorLayer);
}

Treasure* GameApp::createTreasure(int tx, int ty, int kind, int dx, int dy) {
  auto* treasure = new Treasure(kind, tileCentre(tx) + dx, tileCentre(ty) + dy);
  treasures.push_back(treasure);
  addSprite(treasure, kActorLayer);
  return treasure;
}

void GameApp::placePlayer(int tx, int ty) {
  if (player) player->setPosition(tileCentre(tx), tileCentre(ty));
}

void GameApp::createPlayer() {
  player = new Player(bubbleLimit);
  loadPlayerKeys();
  addSprite(player, kActorLayer);
}

int GameApp::treasureSlot(int kind) {
  switch (kind) {
    case 0: return 0;
    case 1: return 1;
    case 2: return 2;
    case 4: return 3;
    default: return -1;
  }
}

void GameApp::countTreasures() {
  std::fill(std::begin(treasureCollected), std::end(treasureCollected), 0);
  for (Treasure* treasure : treasures) {
    int slot = treasureSlot(treasure->kind());
    if (slot >= 0 && treasure->collected) treasureCollected[slot] += 1;
  }
}

void GameApp::cameraTarget(float& targetX, float& targetY) {
  targetX = player ? player->x : 0.0f;
  targetY = player ? player->y : 0.0f;
  if (player && player->ride.visible) {
    targetX = player->ride.x + kRideLeadPx;
    targetY = player->ride.y;
  }
}

void GameApp::followCamera() {
  if (!player || !screen) return;
  float targetX = 0.0f, targetY = 0.0f;
  cameraTarget(targetX, targetY);
  float halfW = static_cast<float>(screen->width / 2);
  float halfH = static_cast<float>(screen->height / 2);
  // Near the level's top the camera may look above it, as far as keeps the
  // fish clear of the heads-up display. The upper bound wins for a level
  // smaller than the screen.
  float clearRow = static_cast<float>(hudBottom() + kHudClearancePx);
  float lowest = halfH;
  if (!player->dead) lowest = std::min(lowest, fishTop() + halfH - clearRow);
  camera.x = std::min(std::max(targetX, halfW), levelWidth - halfW);
  camera.y = std::min(std::max(targetY, lowest), levelHeight - halfH);
  // A boss's flight path stays in sight too, unless that would push the
  // fish off the bottom of the screen.
  if (bossFlightTop >= 0.0f && !player->dead) {
    float showsFlight = bossFlightTop + halfH - clearRow;
    float showsFish = static_cast<float>(player->boundingBox().bottom) + kHudClearancePx - halfH;
    camera.y = std::min(camera.y, std::max(showsFlight, showsFish));
  }
}

// The highest row of the fish as drawn, with its ride.
float GameApp::fishTop() {
  float top = static_cast<float>(player->boundingBox().top);
  if (player->ride.visible) top = std::min(top, static_cast<float>(player->ride.boundingBox().top));
  return top;
}
