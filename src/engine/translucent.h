#pragma once

struct BITMAP;
struct RLE_SPRITE;

// Translucent sprite drawing with the blender the caller selected: 32-bit
// sources blend through their own alpha channel.
void drawTranslucent(BITMAP* target, BITMAP* bitmap, int x, int y);
void drawTranslucentRle(BITMAP* target, RLE_SPRITE* sprite, int x, int y);
