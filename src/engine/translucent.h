#pragma once

struct BITMAP;
struct RLE_SPRITE;

// Translucent sprite drawing with the blender the caller selected: 32-bit
// sources blend through their own alpha channel.
void drawTranslucent(BITMAP* target, BITMAP* bitmap, int x, int y);
void drawTranslucentRle(BITMAP* target, RLE_SPRITE* sprite, int x, int y);

// What set_add_blender(0, 0, 0, alpha) and draw_trans_sprite draw, pixel for
// pixel, leaving the same blender selected; 16-bit pictures on 16-bit
// memory bitmaps skip Allegro's blender call per pixel.
void drawAdditive(BITMAP* target, BITMAP* bitmap, int x, int y, int alpha);
