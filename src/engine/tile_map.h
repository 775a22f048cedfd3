#pragma once
#include <map>
#include <vector>

#include "engine/drawable.h"

// A grid of tile numbers drawn as a mosaic over the visible part of the
// display. -1 is an empty cell. The level's derived map draws the tiles.
class TileMap : public Drawable {
 public:
  static const int kColumns = 300;
  static const int kRows = 150;

  int tileWidth = 40, tileHeight = 40;
  int columns = kColumns, rows = kRows;
  std::vector<int> cells;
  bool drawBottomUp = false;
  std::map<int, int> xOffsets, yOffsets;  // per tile number

  TileMap();
  // Positions outside the grid are ignored.
  void setCell(int column, int row, int tile);
  void draw(BITMAP* target) override;
  // Draws tile number tile with its top-left at (screenX, screenY).
  virtual void drawTile(BITMAP* target, int screenX, int screenY, int tile);
  // The tile number, or 0 outside the grid.
  virtual int cellAt(int column, int row);

 private:
  bool inGrid(int column, int row) const;
  void drawCell(BITMAP* target, int column, int row);
};
