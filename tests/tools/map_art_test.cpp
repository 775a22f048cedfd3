#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "flow/map_node.h"
#include "support/test_support.h"

namespace {

// The chart marks every level with a pale stop; dither moves each channel by
// a step at most, so "pale" is judged loosely.
bool isStopColour(BITMAP* map, int x, int y) {
  const int c = _getpixel16(map, x, y);
  return c != MASK_COLOR_16 && getr16(c) >= 230 && getg16(c) >= 220 && getb16(c) >= 190;
}

}  // namespace

TEST(MapArt, EveryMarkerCentreSitsOnAStopOfTheChart) {
  testsupport::initAllegroNoDisplay(16);
  DATAFILE* dat = load_datafile((testsupport::gameDir() + "/dat/map.dat").c_str());
  ASSERT_NE(dat, nullptr);
  BITMAP* map = static_cast<BITMAP*>(dat[0].dat);
  ASSERT_EQ(map->w, 800);
  ASSERT_EQ(map->h, 600);
  // The markers' own table, so the chart and the game cannot drift apart.
  for (int i = 0; i < kMapNodeCount; ++i) {
    const int x = kMapNodePositions[i].x, y = kMapNodePositions[i].y;
    // The stop's centre and its four neighbours two pixels out.
    EXPECT_TRUE(isStopColour(map, x, y) && isStopColour(map, x - 2, y) && isStopColour(map, x + 2, y) &&
                isStopColour(map, x, y - 2) && isStopColour(map, x, y + 2))
        << "no stop under level " << i + 1 << " at " << x << ", " << y;
  }
  unload_datafile(dat);
}

TEST(MapArt, MarkerFramesAreDrawnAboutTheirCentre) {
  // The map draws markers centred, so a drawing off the middle of its frame
  // would sit beside its stop.
  testsupport::initAllegroNoDisplay(16);
  DATAFILE* dat = load_datafile((testsupport::gameDir() + "/dat/mapnode.dat").c_str());
  ASSERT_NE(dat, nullptr);
  for (int frame = 0; frame < 4; ++frame) {
    ASSERT_EQ(dat[frame].type, DAT_BITMAP) << "frame " << frame;
    BITMAP* node = static_cast<BITMAP*>(dat[frame].dat);
    int left = node->w, right = -1, top = node->h, bottom = -1;
    for (int y = 0; y < node->h; ++y)
      for (int x = 0; x < node->w; ++x)
        if (_getpixel16(node, x, y) != MASK_COLOR_16) {
          left = std::min(left, x);
          right = std::max(right, x);
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
    ASSERT_GE(right, 0) << "frame " << frame << " is empty";
    EXPECT_LE(std::abs(left + right + 1 - node->w), 1) << "frame " << frame;
    EXPECT_LE(std::abs(top + bottom + 1 - node->h), 1) << "frame " << frame;
  }
  // Boss levels stand out by size as well as by look.
  EXPECT_GT(static_cast<BITMAP*>(dat[1].dat)->w, static_cast<BITMAP*>(dat[0].dat)->w);
  EXPECT_GT(static_cast<BITMAP*>(dat[3].dat)->w, static_cast<BITMAP*>(dat[2].dat)->w);
  unload_datafile(dat);
}
