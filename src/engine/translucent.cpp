#include "engine/translucent.h"

#include <allegro.h>

// This Allegro has no separate RGBA calls: its translucent sprite drawing
// already blends a 32-bit source through its alpha channel when the caller
// selected the alpha blender.
void drawTranslucent(BITMAP* target, BITMAP* bitmap, int x, int y) {
  draw_trans_sprite(target, bitmap, x, y);
}

void drawTranslucentRle(BITMAP* target, RLE_SPRITE* sprite, int x, int y) {
  draw_trans_rle_sprite(target, sprite, x, y);
}
