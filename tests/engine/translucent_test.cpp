#include "engine/translucent.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdint>

#include "support/test_support.h"

namespace {

uint32_t seed = 2024;
int nextRandom() { return int((seed = seed * 1664525u + 1013904223u) >> 8); }

BITMAP* noise(int w, int h, bool withMask) {
  BITMAP* bitmap = create_bitmap_ex(16, w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      _putpixel16(bitmap, x, y, withMask && nextRandom() % 5 == 0 ? MASK_COLOR_16 : nextRandom() & 0xFFFF);
  return bitmap;
}

}  // namespace

// Every alpha class (none, a little, half, full), pictures hanging over
// each edge or wholly outside, with and without a clip rectangle.
TEST(Translucent, AdditiveDrawingMatchesAllegrosBlenderPixelForPixel) {
  testsupport::initAllegroNoDisplay(16);
  BITMAP* picture = noise(37, 23, true);
  BITMAP* backdrop = noise(64, 48, false);
  BITMAP* ours = create_bitmap_ex(16, 64, 48);
  BITMAP* allegros = create_bitmap_ex(16, 64, 48);
  const int places[][2] = {{-10, -5}, {20, 10}, {50, 40}, {-40, 0}, {5, 30}, {64, 0}};
  for (bool clipped : {false, true}) {
    for (int alpha : {0, 1, 77, 128, 200, 255}) {
      for (const auto& place : places) {
        blit(backdrop, ours, 0, 0, 0, 0, 64, 48);
        blit(backdrop, allegros, 0, 0, 0, 0, 64, 48);
        for (BITMAP* target : {ours, allegros})
          clipped ? set_clip_rect(target, 7, 3, 55, 40) : set_clip_rect(target, 0, 0, 63, 47);
        drawAdditive(ours, picture, place[0], place[1], alpha);
        set_add_blender(0, 0, 0, alpha);
        draw_trans_sprite(allegros, picture, place[0], place[1]);
        int differing = 0;
        for (int y = 0; y < 48; ++y)
          for (int x = 0; x < 64; ++x) differing += _getpixel16(ours, x, y) != _getpixel16(allegros, x, y);
        EXPECT_EQ(differing, 0) << "alpha " << alpha << " at " << place[0] << "," << place[1]
                                << (clipped ? " clipped" : "");
      }
    }
  }
  for (BITMAP* bitmap : {picture, backdrop, ours, allegros}) destroy_bitmap(bitmap);
}
