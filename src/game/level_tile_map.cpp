#include "game/level_tile_map.h"

#include <allegro.h>

#include "engine/prepared_art.h"

namespace {

const int kTileSizePx = 80;

}  // namespace

LevelTileMap::LevelTileMap() {
  tileWidth = tileHeight = kTileSizePx;
  drawBottomUp = true;
}

void LevelTileMap::drawTile(BITMAP* target, int screenX, int screenY, int tile) {
  // A level without a tile set still plays; it only draws no tiles.
  if (!tiles.isLoaded || tile < 0 || tile >= tiles.lastIndex) return;
  if (tiles.typeOf(tile) != DAT_BITMAP) return;
  drawMasked(target, static_cast<BITMAP*>(tiles.get(tile)), screenX, screenY);
}
