#include "game/level_loader.h"

#include <allegro.h>

#include <algorithm>
#include <set>
#include <string>

#include "engine/datafile_ref.h"
#include "engine/log.h"
#include "flow/game_app.h"
#include "game/actor_factory.h"
#include "game/actors/actor.h"
#include "game/actors/player.h"
#include "game/level_tile_map.h"
#include "game/treasure.h"

namespace {

const int kTilePx = 80;
const int kMiniGameIndexShift = 950;  // level 1000 is object 50
const int kWall = 0;
const int kPearlDx = -10, kPearlDy = 35;
const int kPearlKind = 4;
const int kDanceLevel = 1002;  // brings its own chest

enum class Cell { Wall, MainTile, DecorTile, Actor, PlayerStart, Treasure, Swordfish, Clam };
enum class Placement { A, B };

struct ColourRow {
  int r, g, b;  // -1 stands for getpixel's "outside the picture"
  Cell cell;
  int value;         // tile id, treasure kind or vertical offset
  const char* kind;  // actor kind for makeLevelActor
  Placement placement;
};

// Tested in order; the first match wins.
const ColourRow kColourTable[] = {
    {255, 0, 0, Cell::Wall, 0, nullptr, Placement::A},
    {-1, -1, -1, Cell::MainTile, 6, nullptr, Placement::A},
    {20, 20, 20, Cell::MainTile, 7, nullptr, Placement::A},
    {30, 30, 30, Cell::MainTile, 8, nullptr, Placement::A},
    {40, 40, 40, Cell::MainTile, 9, nullptr, Placement::A},
    {50, 50, 50, Cell::DecorTile, 10, nullptr, Placement::A},
    {55, 55, 55, Cell::DecorTile, 11, nullptr, Placement::A},
    {60, 60, 60, Cell::MainTile, 12, nullptr, Placement::A},
    {65, 65, 65, Cell::MainTile, 13, nullptr, Placement::A},
    {70, 70, 70, Cell::MainTile, 14, nullptr, Placement::A},
    {75, 75, 75, Cell::MainTile, 15, nullptr, Placement::A},
    {80, 80, 80, Cell::MainTile, 16, nullptr, Placement::A},
    {148, 96, 48, Cell::Actor, 0, "crab.dat", Placement::A},
    {64, 0, 64, Cell::Actor, 0, "leviathan.dat", Placement::A},
    {148, 148, 96, Cell::Actor, 0, "eel.dat", Placement::A},
    {0, 64, 0, Cell::Actor, 0, "angler.dat", Placement::A},
    {255, 125, 0, Cell::Actor, 0, "spikes.dat", Placement::A},
    {164, 164, 164, Cell::Actor, 0, "piratefish.dat", Placement::A},
    {125, 255, 0, Cell::Actor, 0, "spikes.dat:hanging", Placement::A},
    {255, 164, 64, Cell::Actor, 40, "mrpuffer.dat", Placement::A},
    {100, 100, 0, Cell::Actor, 0, "crate.dat", Placement::A},
    {0, 255, 128, Cell::Actor, 0, "sentinel.dat:left", Placement::A},
    {0, 255, 148, Cell::Actor, 0, "sentinel.dat", Placement::A},
    {225, 225, 225, Cell::Actor, 0, "seagull.dat", Placement::A},
    {164, 100, 0, Cell::Actor, 0, "crate.dat:explosive", Placement::A},
    {0, 0, 0, Cell::Actor, 0, "sharky.dat", Placement::A},
    {0, 0, 255, Cell::PlayerStart, 0, nullptr, Placement::A},
    {255, 0, 125, Cell::Swordfish, 0, "swordfish.dat", Placement::A},
    {0, 255, 255, Cell::Actor, 0, "jellyfish.dat", Placement::B},
    {0, 0, 64, Cell::Actor, 0, "cannon.dat", Placement::B},
    {125, 0, 255, Cell::Actor, 0, "dolphin.dat", Placement::A},
    {255, 0, 255, Cell::Actor, 0, "sleepyfish.dat", Placement::A},
    {255, 255, 0, Cell::Treasure, 0, nullptr, Placement::A},
    {164, 255, 0, Cell::Treasure, 1, nullptr, Placement::A},
    {200, 200, 200, Cell::Treasure, 4, nullptr, Placement::A},
    {255, 0, 64, Cell::Treasure, 2, nullptr, Placement::A},
    {125, 125, 125, Cell::Actor, 0, "refill", Placement::B},
    {0, 255, 0, Cell::Clam, 0, "clam.dat", Placement::B},
};
const int kRowCount = sizeof(kColourTable) / sizeof(kColourTable[0]);

GameApp& game() { return *GameApp::instance; }

// Makes the row's actor and puts it in the level; null when the game has
// no such creature (told once per kind and load).
Actor* placeActor(const ColourRow& row, int tx, int ty, std::set<std::string>& missing) {
  Actor* actor = makeLevelActor(row.kind);
  if (!actor) {
    if (missing.insert(row.kind).second) logInfo(std::string("level cell for a missing actor: ") + row.kind);
    return nullptr;
  }
  if (row.placement == Placement::A) {
    game().addActorAtTile(actor, tx, ty, row.value);
  } else {
    actor->setPosition(tx * kTilePx + kTilePx / 2, ty * kTilePx + kTilePx / 2);
    game().addActor(actor);
  }
  return actor;
}

void applyRow(const ColourRow& row, int tx, int ty, std::set<std::string>& missing) {
  GameApp& app = game();
  switch (row.cell) {
    case Cell::Wall: app.tileMap->setCell(tx, ty, kWall); break;
    case Cell::MainTile: app.tileMap->setCell(tx, ty, row.value); break;
    case Cell::DecorTile: app.decorMap->setCell(tx, ty, row.value); break;
    case Cell::Actor: placeActor(row, tx, ty, missing); break;
    case Cell::PlayerStart: app.placePlayer(tx, ty); break;
    case Cell::Treasure: app.createTreasure(tx, ty, row.value, 0, 0); break;
    case Cell::Swordfish:
      if (app.player) app.player->armPlunger();
      placeActor(row, tx, ty, missing);
      break;
    case Cell::Clam:
      if (Actor* clam = placeActor(row, tx, ty, missing))
        attachPearl(clam, app.createTreasure(tx, ty, kPearlKind, kPearlDx, kPearlDy));
      break;
  }
}

bool hasChest() {
  const std::vector<Treasure*>& treasures = game().treasures;
  return std::any_of(treasures.begin(), treasures.end(), [](Treasure* t) { return t->isChest(); });
}

// Not an error report: in the game that would end the process, and the
// player only loses the level, going back to where it was chosen.
bool refuseLevel(int index, const std::string& reason, std::string& problem) {
  problem = reason;
  logInfo("Could not load level [" + std::to_string(index) + "] - " + reason);
  return false;
}

}  // namespace

int levelObjectIndex(int levelNumber) {
  return levelNumber >= kFirstMiniGameLevel ? levelNumber - kMiniGameIndexShift : levelNumber;
}

bool loadLevel(int levelNumber) {
  std::string problem;
  return loadLevel(levelNumber, problem);
}

bool loadLevel(int levelNumber, std::string& problem) {
  GameApp& app = game();
  problem.clear();
  DatafileRef levels;
  levels.open("lvl/levels.dat");
  int index = levelObjectIndex(levelNumber);
  BITMAP* picture = nullptr;
  if (levels.isLoaded && index >= 0 && index < levels.lastIndex && levels.typeOf(index) == DAT_BITMAP)
    picture = static_cast<BITMAP*>(levels.get(index));
  if (!picture) return refuseLevel(index, "no level picture", problem);
  app.levelWidth = picture->w * kTilePx;
  app.levelHeight = picture->h * kTilePx;
  int colours[kRowCount];
  for (int i = 0; i < kRowCount; ++i) {
    const ColourRow& row = kColourTable[i];
    colours[i] = row.r < 0 ? -1 : makecol(row.r, row.g, row.b);
  }
  std::set<std::string> missing;
  bool hasStart = false;
  for (int x = 0; x < picture->w; ++x) {
    for (int y = 0; y < picture->h; ++y) {
      int pixel = getpixel(picture, x, y);
      for (int i = 0; i < kRowCount; ++i) {
        if (pixel != colours[i]) continue;
        applyRow(kColourTable[i], x, y, missing);
        hasStart = hasStart || kColourTable[i].cell == Cell::PlayerStart;
        break;
      }
    }
  }
  // Without a start or a chest the picture is no level (another datafile's
  // picture, say): played, it would be won at once.
  if (!hasStart) return refuseLevel(index, "no player start", problem);
  if (levelNumber != kDanceLevel && !hasChest()) return refuseLevel(index, "no treasure chest", problem);
  shapeWalls();
  return true;
}

void loadTiles(LevelTileMap& tileLayer) {
  struct TileSet {
    int first, last;
    const char* datafile;
  };
  static const TileSet kTileSets[] = {
      {0, 9, "tiles0.dat"},       {10, 19, "tiles1.dat"},     {20, 39, "tiles2.dat"},
      {40, 49, "tiles4.dat"},     {1000, 1000, "tiles0.dat"}, {1001, 1001, "tiles1.dat"},
      {1002, 1002, "tiles2.dat"}, {1003, 1003, "tiles0.dat"},
  };
  int level = game().currentLevel;
  for (const TileSet& set : kTileSets) {
    if (level < set.first || level > set.last) continue;
    tileLayer.tiles.open(set.datafile);
    return;
  }
}

void shapeWalls() {
  GameApp& app = game();
  TileMap& map = *app.tileMap;
  // Cells beyond the grid hold no tiles to shape.
  int columns = std::min(app.levelWidth / kTilePx, int(TileMap::kColumns));
  int rows = std::min(app.levelHeight / kTilePx, int(TileMap::kRows));
  // Rows first: a wall with a wall beside it becomes a run piece.
  for (int x = 0; x < columns; ++x) {
    for (int y = 0; y < rows; ++y) {
      if (map.cellAt(x, y) != kWall) continue;
      bool left = x - 1 >= 0 && app.isSolidTile(x - 1, y);
      bool right = app.isSolidTile(x + 1, y);
      if (left && right) map.setCell(x, y, 2);
      else if (left) map.setCell(x, y, 3);
      else if (right) map.setCell(x, y, 1);
    }
  }
  // Then columns; a column's top has already become 4 when the cell under
  // it is looked at.
  for (int x = 0; x < columns; ++x) {
    for (int y = 0; y < rows; ++y) {
      if (map.cellAt(x, y) != kWall) continue;
      int aboveId = map.cellAt(x, y - 1);
      bool above = aboveId == 0 || aboveId == 4 || aboveId == 5;
      bool below = map.cellAt(x, y + 1) == 0;
      if (above && below) map.setCell(x, y, 5);
      else if (above) map.setCell(x, y, 6);
      else if (below) map.setCell(x, y, 4);
    }
  }
}
