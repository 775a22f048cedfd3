#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/test_support.h"

namespace {

int lightness(int c) { return (getr16(c) * 299 + getg16(c) * 587 + getb16(c) * 114) / 1000; }

struct Band {
  int left, top, right, bottom;
  int pixels() const { return (right - left) * (bottom - top); }
};

}  // namespace

TEST(BackdropArt, ShoreLevelsOpenOntoACalmSkyAboveTheSea) {
  // Levels 30-39 are out of the water: their backdrop must read as open air
  // at a glance, and the middle, where the fish, the gulls and the crabs
  // move, must not be busy. The bands lie inside what 640 x 480 shows of
  // the centred backdrop and below the heads-up bar.
  testsupport::initAllegroNoDisplay(16);
  DATAFILE* dat = load_datafile((testsupport::gameDir() + "/dat/bg3.dat").c_str());
  ASSERT_NE(dat, nullptr);
  ASSERT_EQ(dat[0].type, DAT_BITMAP);
  BITMAP* bg = static_cast<BITMAP*>(dat[0].dat);
  ASSERT_EQ(bg->w, 800);
  ASSERT_EQ(bg->h, 600);

  const Band sky = {240, 130, 560, 340}, sea = {290, 390, 540, 470};
  int skyLike = 0, edges = 0;
  long skyLight = 0;
  for (int y = sky.top; y < sky.bottom; ++y)
    for (int x = sky.left; x < sky.right; ++x) {
      const int c = _getpixel16(bg, x, y);
      const int light = lightness(c);
      skyLight += light;
      // Pale blue or cloud white; a cave's purple or rock fails the green.
      skyLike += light >= 140 && getb16(c) >= getr16(c) && getg16(c) >= 150;
      edges += std::abs(light - lightness(_getpixel16(bg, x + 1, y))) > 40;
    }
  EXPECT_GE(skyLike, sky.pixels() * 9 / 10) << "the top of the shore is not open sky";
  EXPECT_LE(edges, sky.pixels() / 100) << "the middle of the shore is too busy to read creatures on";

  int seaLike = 0;
  long seaLight = 0;
  for (int y = sea.top; y < sea.bottom; ++y)
    for (int x = sea.left; x < sea.right; ++x) {
      const int c = _getpixel16(bg, x, y);
      seaLight += lightness(c);
      seaLike += getb16(c) >= getr16(c) + 40 && getb16(c) >= getg16(c);
    }
  EXPECT_GE(seaLike, sea.pixels() * 9 / 10) << "no sea below the horizon";
  // The sea line reads only where the water is darker than the sky.
  EXPECT_GE(skyLight / sky.pixels() - seaLight / sea.pixels(), 30);
  unload_datafile(dat);
}
