#pragma once

// The level's 80 x 80 pixel cells, for creatures that look beyond their
// own tile.
namespace tile_grid {

const int kTilePx = 80;

// The cell holding a level coordinate.
inline int tileOf(float position) { return static_cast<int>(position * 0.0125f); }
// The centre of a cell, in level pixels.
inline int tileCentre(int tile) { return tile * kTilePx + kTilePx / 2; }

}  // namespace tile_grid
