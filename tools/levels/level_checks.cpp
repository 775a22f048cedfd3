#include "level_checks.h"

#include <algorithm>
#include <cstdlib>
#include <deque>

namespace levels {
namespace {

// The loader's colours for the cells the checks care about.
const bake::Rgb kWall = {255, 0, 0};
const bake::Rgb kPlayerStart = {0, 0, 255};
const bake::Rgb kChest = {255, 255, 0};

// Levels that may lack a chest in their source: the dance game adds its own.
const int kLevelsBringingTheirChest[] = {1002};
// Levels played on an open field: the invaders game steers the fish only up
// and down, and the fish never leaves the level's size anyway.
const int kOpenFieldLevels[] = {1003};

struct Cell {
  int x = -1, y = -1;
  bool valid() const { return x >= 0; }
};

// Where a creature can be from its start cell, walls being the only stops.
enum class Sweep { kStays, kOwnCell, kFloor, kRow, kLeft, kRight, kColumn, kRectangle, kRisingRows, kLedge };

struct Creature {
  bake::Rgb colour;
  const char* name;
  Sweep sweep;
};

// Every actor the level places that can hurt the fish, by the loader's colour.
const Creature kCreatures[] = {
    {{148, 96, 48}, "crab", Sweep::kFloor},
    {{0, 64, 0}, "angler", Sweep::kRow},
    {{148, 148, 96}, "eel", Sweep::kRow},
    {{0, 255, 255}, "jellyfish", Sweep::kColumn},
    {{0, 255, 0}, "clam", Sweep::kStays},
    {{255, 164, 64}, "mrpuffer", Sweep::kStays},
    {{164, 164, 164}, "pirate fish", Sweep::kRectangle},
    {{255, 0, 255}, "sleepy fish", Sweep::kLeft},
    {{125, 0, 255}, "dolphin", Sweep::kRisingRows},
    {{0, 0, 0}, "sharky", Sweep::kStays},
    {{225, 225, 225}, "seagull", Sweep::kLedge},
    {{255, 125, 0}, "spikes", Sweep::kOwnCell},
    {{125, 255, 0}, "spikes", Sweep::kOwnCell},
    {{0, 255, 128}, "sentinel", Sweep::kLeft},
    {{0, 255, 148}, "sentinel", Sweep::kRight},
    {{0, 0, 64}, "cannon", Sweep::kLeft},
    {{164, 100, 0}, "explosive crate", Sweep::kStays},
    {{64, 0, 64}, "leviathan", Sweep::kStays},
    {{255, 0, 125}, "swordfish", Sweep::kStays},
};

const bake::Rgb kClam = {0, 255, 0};
const bake::Rgb kRewards[] = {{255, 255, 0}, {164, 255, 0}, {255, 0, 64}, {200, 200, 200}, kClam};

// The tiles of the main layer, which turn a jellyfish: walls and scenery.
const bake::Rgb kMainTiles[] = {{255, 0, 0},    {20, 20, 20}, {30, 30, 30}, {40, 40, 40}, {60, 60, 60},
                                {65, 65, 65}, {70, 70, 70}, {75, 75, 75}, {80, 80, 80}};

// Levels whose rewards must be clear of the creatures: the reef and the wreck.
const int kFirstClearedLevel = 0, kLastClearedLevel = 19;
const int kCreatureReach = 2;     // cells, Chebyshev
const int kStartSurroundings = 5;  // cells, Chebyshev

bool same(const bake::Rgb& a, const bake::Rgb& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

int chebyshev(Cell a, Cell b) { return std::max(std::abs(a.x - b.x), std::abs(a.y - b.y)); }

class CheckedLevel {
 public:
  CheckedLevel(const std::string& source, const LevelPicture& cells) : file(source), picture(cells) {}

  const bake::Rgb& at(Cell cell) const { return picture.pixels[cell.y * picture.width + cell.x]; }

  // Cells of that colour in reading order: rows top to bottom, left to right.
  std::vector<Cell> cellsOf(const bake::Rgb& colour) const {
    std::vector<Cell> cells;
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x)
        if (same(at({x, y}), colour)) cells.push_back({x, y});
    return cells;
  }

  // The nearest edge cell open cells lead to from cell; invalid when none.
  Cell leakFrom(Cell start) const {
    std::vector<bool> seen(picture.pixels.size(), false);
    std::deque<Cell> open = {start};
    seen[start.y * picture.width + start.x] = true;
    const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    while (!open.empty()) {
      Cell cell = open.front();
      open.pop_front();
      if (onEdge(cell)) return cell;
      for (const auto& step : steps) {
        Cell next = {cell.x + step[0], cell.y + step[1]};
        size_t index = next.y * picture.width + next.x;
        if (seen[index] || same(at(next), kWall)) continue;
        seen[index] = true;
        open.push_back(next);
      }
    }
    return {};
  }

  bool inside(Cell cell) const { return cell.x >= 0 && cell.y >= 0 && cell.x < picture.width && cell.y < picture.height; }
  bool wall(Cell cell) const { return !inside(cell) || same(at(cell), kWall); }
  bool mainTile(Cell cell) const {
    if (!inside(cell)) return true;
    for (const bake::Rgb& tile : kMainTiles)
      if (same(at(cell), tile)) return true;
    return false;
  }

  // The cells a creature starting at cell can be in (Sweep).
  std::vector<bool> sweepOf(Cell cell, Sweep sweep) const {
    std::vector<bool> swept(picture.pixels.size(), false);
    auto mark = [&](Cell c) { swept[c.y * picture.width + c.x] = true; };
    // Marks from cell (kept) along (dx, dy) to the last cell before a stop;
    // returns that last cell.
    auto run = [&](Cell from, int dx, int dy, auto stops) {
      mark(from);
      for (Cell next = {from.x + dx, from.y + dy}; !stops(next); next = {next.x + dx, next.y + dy}) {
        mark(next);
        from = next;
      }
      return from;
    };
    auto atWall = [&](Cell c) { return wall(c); };
    auto offFloor = [&](Cell c) { return wall(c) || !wall({c.x, c.y + 1}); };
    auto atTile = [&](Cell c) { return mainTile(c); };
    switch (sweep) {
      case Sweep::kStays: break;
      case Sweep::kOwnCell: mark(cell); break;
      case Sweep::kFloor: run(cell, -1, 0, offFloor), run(cell, 1, 0, offFloor); break;
      case Sweep::kRow: run(cell, -1, 0, atWall), run(cell, 1, 0, atWall); break;
      case Sweep::kLeft: run(cell, -1, 0, atWall); break;
      case Sweep::kRight: run(cell, 1, 0, atWall); break;
      case Sweep::kColumn: run(cell, 0, -1, atTile), run(cell, 0, 1, atTile); break;
      case Sweep::kRectangle: {
        const int steps[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
        for (int slide = 0; slide < 8; ++slide) cell = run(cell, steps[slide % 4][0], steps[slide % 4][1], atWall);
        break;
      }
      case Sweep::kRisingRows:
        for (int dx = 1;; dx = -dx) {
          cell = run(cell, dx, 0, atWall);
          if (cell.y <= 1) break;  // it leaves the level there
          if (wall({cell.x, cell.y - 1})) {
            run(cell, -dx, 0, atWall);  // to and fro along this row for good
            break;
          }
          cell.y -= 1;
        }
        break;
      case Sweep::kLedge: {
        Cell left = run(cell, -1, 0, atWall), right = run(cell, 1, 0, atWall);
        for (int x = left.x; x <= right.x; ++x) run({x, cell.y}, 0, 1, atWall);
        break;
      }
    }
    return swept;
  }

  std::string where(Cell cell) const {
    return "line " + std::to_string(line(cell)) + ", column " + std::to_string(cell.x + 1);
  }

  bool fail(Cell cell, const std::string& reason, std::string& error) const {
    error = file + ":" + std::to_string(line(cell)) + ":" + std::to_string(cell.x + 1) + ": " + reason;
    return false;
  }

  bool insideTheWalls(Cell cell, const std::string& what, std::string& error) const {
    Cell leak = leakFrom(cell);
    if (!leak.valid()) return true;
    return fail(cell, what + " is not inside the walls: open cells lead from it to the level's edge at " +
                          where(leak), error);
  }

 private:
  const std::string& file;
  const LevelPicture& picture;

  int line(Cell cell) const {
    return cell.y < int(picture.rowLines.size()) ? picture.rowLines[cell.y] : cell.y + 1;
  }
  bool onEdge(Cell cell) const {
    return cell.x == 0 || cell.y == 0 || cell.x == picture.width - 1 || cell.y == picture.height - 1;
  }
};

bool isClam(const bake::Rgb& colour) { return same(colour, kClam); }

std::string rewardName(const bake::Rgb& colour) {
  if (same(colour, kChest)) return "a treasure chest";
  return isClam(colour) ? "a clam's pearl" : "a gem";
}

bool clearedLevel(int number) { return number >= kFirstClearedLevel && number <= kLastClearedLevel; }

bool needsChest(int number) {
  for (int level : kLevelsBringingTheirChest)
    if (level == number) return false;
  return true;
}

bool openField(int number) {
  for (int level : kOpenFieldLevels)
    if (level == number) return true;
  return false;
}

}  // namespace

bool rewardsClear(const std::string& file, const LevelPicture& picture, std::string& error) {
  CheckedLevel level(file, picture);
  std::vector<Cell> rewards;
  for (const bake::Rgb& reward : kRewards)
    for (Cell cell : level.cellsOf(reward)) rewards.push_back(cell);
  std::sort(rewards.begin(), rewards.end(), [](Cell a, Cell b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
  std::vector<Cell> starts = level.cellsOf(kPlayerStart);
  for (const Creature& creature : kCreatures) {
    for (Cell home : level.cellsOf(creature.colour)) {
      std::vector<bool> swept = level.sweepOf(home, creature.sweep);
      const std::string what = std::string(creature.name) + " at " + level.where(home);
      for (Cell reward : rewards) {
        const bake::Rgb& colour = level.at(reward);
        if (isClam(colour) && reward.x == home.x && reward.y == home.y) continue;
        if (chebyshev(reward, home) <= kCreatureReach)
          return level.fail(reward, rewardName(colour) + " within two cells of the " + what, error);
        bool nearStart = !starts.empty() && chebyshev(reward, starts[0]) <= kStartSurroundings;
        if (nearStart && swept[reward.y * picture.width + reward.x])
          return level.fail(reward, rewardName(colour) + " near the player start lies in the reach of the " + what,
                            error);
      }
    }
  }
  return true;
}

bool checkLevel(const std::string& file, int number, const LevelPicture& picture, std::string& error) {
  CheckedLevel level(file, picture);
  std::vector<Cell> starts = level.cellsOf(kPlayerStart);
  if (starts.empty()) return level.fail({0, 0}, "no player start", error);
  if (starts.size() > 1)
    return level.fail(starts[1], "a second player start; the first is at " + level.where(starts[0]), error);
  std::vector<Cell> chests = level.cellsOf(kChest);
  if (chests.empty() && needsChest(number))
    return level.fail({0, 0}, "no treasure chest, so the level could never be completed", error);
  if (openField(number)) return true;
  if (!level.insideTheWalls(starts[0], "the player start", error)) return false;
  for (Cell chest : chests)
    if (!level.insideTheWalls(chest, "a treasure chest", error)) return false;
  return !clearedLevel(number) || rewardsClear(file, picture, error);
}

}  // namespace levels
