#include "level_checks.h"

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

bool same(const bake::Rgb& a, const bake::Rgb& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

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
  return true;
}

}  // namespace levels
