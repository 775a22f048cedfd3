#include "engine/tile_map.h"

#include <allegro.h>

#include "engine/screen.h"

TileMap::TileMap() : cells(kColumns * kRows, -1) { cullable = false; }

bool TileMap::inGrid(int column, int row) const {
  return column >= 0 && column < columns && row >= 0 && row < rows;
}

void TileMap::setCell(int column, int row, int tile) {
  if (inGrid(column, row)) cells[row * columns + column] = tile;
}

int TileMap::cellAt(int column, int row) {
  return inGrid(column, row) ? cells[row * columns + column] : 0;
}

void TileMap::drawTile(BITMAP*, int, int, int) {}

void TileMap::drawCell(BITMAP* target, int column, int row) {
  if (!inGrid(column, row)) return;
  int tile = cells[row * columns + column];
  if (tile == -1) return;
  drawTile(target, column * tileWidth + xOffsets[tile] + static_cast<int>(x),
           row * tileHeight + yOffsets[tile] + static_cast<int>(y), tile);
}

void TileMap::draw(BITMAP* target) {
  if (!visible || alpha == 0.0f) return;
  int displayWidth = Screen::current ? Screen::current->displayWidth : target->w;
  int displayHeight = Screen::current ? Screen::current->displayHeight : target->h;
  int firstColumn = static_cast<int>(-x / tileWidth);
  int endColumn = static_cast<int>((displayWidth - x) / tileWidth) + 1;
  int firstRow = static_cast<int>(-y / tileHeight);
  int endRow = static_cast<int>((displayHeight - y) / tileHeight) + 1;
  for (int column = firstColumn; column < endColumn; ++column) {
    if (drawBottomUp) {
      for (int row = endRow - 1; row >= firstRow; --row) drawCell(target, column, row);
    } else {
      for (int row = firstRow; row < endRow; ++row) drawCell(target, column, row);
    }
  }
}
