// Level previews: a level whole, as the game builds it, at a glance.
#include <allegro.h>
#include <cairo.h>
#include <gtest/gtest.h>

#include "game/level_fixture.h"
#include "level_preview.h"

using LevelPreview = LevelFixture;

TEST_F(LevelPreview, DrawsTheWholeLevelAtHalfSizeWithTheStartRingedAndSavesItAsPng) {
  playLevel({"#######", "#P...C#", "#######"}, 2);
  BITMAP* picture = levels::drawLevelPreview(app, 2);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->w, 7 * 40);
  EXPECT_EQ(picture->h, 3 * 40);
  EXPECT_EQ(getpixel(picture, 3 * 40 + 20, 40 + 20), makecol(16, 48, 96));  // open water
  int ring = getpixel(picture, 40 + 20 + 20, 40 + 20);                      // round the start's centre
  EXPECT_EQ(ring, makecol(255, 230, 0));

  ASSERT_TRUE(levels::writePng(picture, "preview.png"));
  cairo_surface_t* png = cairo_image_surface_create_from_png("preview.png");
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(png), picture->w);
  uint32_t pixel = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(png) +
                                               (40 + 20) * cairo_image_surface_get_stride(png))[80];
  EXPECT_EQ(pixel & 0xffffff, uint32_t(getr(ring) << 16 | getg(ring) << 8 | getb(ring)));
  cairo_surface_destroy(png);
  destroy_bitmap(picture);

  // Past 100 cells, a quarter of the size keeps the picture small.
  playLevel({std::string(101, '#'), "#P" + std::string(97, '.') + "C#", std::string(101, '#')}, 2);
  picture = levels::drawLevelPreview(app, 2);
  EXPECT_EQ(picture->w, 101 * 20);
  destroy_bitmap(picture);
}
