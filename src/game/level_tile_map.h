#pragma once
#include <string>

#include "engine/datafile_ref.h"
#include "engine/tile_map.h"

// A level's tile layer: 80 x 80 tiles drawn bottom-up, tile t being
// object t of the level's tile datafile.
class LevelTileMap : public TileMap {
 public:
  DatafileRef tiles;

  LevelTileMap();
  void drawTile(BITMAP* target, int screenX, int screenY, int tile) override;
};
