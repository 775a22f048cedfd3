#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/test_support.h"

namespace {

const char* const kTileSets[] = {"tiles0.dat", "tiles1.dat", "tiles2.dat", "tiles4.dat"};
const int kTileSize = 80;
const int kFirstScenery = 7, kTileCount = 17;

// Neighbours the level's wall shaping can put side by side: rows are
// 1, 2, ..., 2, 3 (or 1, 3) and columns 4, 5, ..., 5, 6 (or 4, 6).
struct Seam {
  int first, second;
  bool sideBySide;  // first left of second; otherwise first above second
};
const Seam kSeams[] = {{1, 2, true},  {2, 2, true},  {2, 3, true},  {1, 3, true},
                       {4, 5, false}, {5, 5, false}, {5, 6, false}, {4, 6, false}};

// Mean difference per channel (0-255) across a seam. A drawing that runs
// on over the edge differs by next to nothing; a band that breaks off at
// the edge over even a tenth of it goes past this.
const int kMaxSeamDifference = 8;

BITMAP* tile(DATAFILE* dat, int id) { return static_cast<BITMAP*>(dat[id].dat); }

int channelDifference(int a, int b) {
  return std::abs(getr16(a) - getr16(b)) + std::abs(getg16(a) - getg16(b)) + std::abs(getb16(a) - getb16(b));
}

bool columnIsClear(BITMAP* bitmap, int x) {
  for (int y = 0; y < bitmap->h; ++y)
    if (_getpixel16(bitmap, x, y) != MASK_COLOR_16) return false;
  return true;
}

double opaqueShare(BITMAP* bitmap) {
  int opaque = 0;
  for (int y = 0; y < bitmap->h; ++y)
    for (int x = 0; x < bitmap->w; ++x) opaque += _getpixel16(bitmap, x, y) != MASK_COLOR_16;
  return double(opaque) / (bitmap->w * bitmap->h);
}

}  // namespace

TEST(TileArt, WallPiecesJoinEdgeToEdgeInRowsAndColumns) {
  testsupport::initAllegroNoDisplay(16);
  for (const char* name : kTileSets) {
    DATAFILE* dat = load_datafile((testsupport::gameDir() + "/dat/" + name).c_str());
    ASSERT_NE(dat, nullptr) << name;
    for (const Seam& seam : kSeams) {
      BITMAP* a = tile(dat, seam.first);
      BITMAP* b = tile(dat, seam.second);
      int holes = 0, difference = 0;
      for (int k = 0; k < kTileSize; ++k) {
        const int pa = seam.sideBySide ? _getpixel16(a, kTileSize - 1, k) : _getpixel16(a, k, kTileSize - 1);
        const int pb = seam.sideBySide ? _getpixel16(b, 0, k) : _getpixel16(b, k, 0);
        if (pa == MASK_COLOR_16 || pb == MASK_COLOR_16) ++holes;
        else difference += channelDifference(pa, pb);
      }
      const std::string where = std::string(name) + " " + std::to_string(seam.first) +
                                (seam.sideBySide ? " beside " : " above ") + std::to_string(seam.second);
      EXPECT_EQ(holes, 0) << where;
      EXPECT_LE(difference / (3 * kTileSize), kMaxSeamDifference) << where;
    }
    unload_datafile(dat);
  }
}

TEST(TileArt, SceneryIsAWholePictureWithRoomAroundItAndFrontPiecesStayThin) {
  // A slot of the scenery strip that slipped would bake an empty tile or
  // pieces cut at the side; scenery filling its cell would read as a wall;
  // and the pieces drawn over the creatures must not hide the fish.
  testsupport::initAllegroNoDisplay(16);
  for (const char* name : kTileSets) {
    DATAFILE* dat = load_datafile((testsupport::gameDir() + "/dat/" + name).c_str());
    ASSERT_NE(dat, nullptr) << name;
    for (int id = kFirstScenery; id < kTileCount; ++id) {
      BITMAP* piece = tile(dat, id);
      EXPECT_TRUE(columnIsClear(piece, 0) && columnIsClear(piece, kTileSize - 1)) << name << " tile " << id;
      const double share = opaqueShare(piece);
      const bool front = id == 10 || id == 11;
      EXPECT_GE(share, 0.05) << name << " tile " << id;
      EXPECT_LE(share, front ? 0.4 : 0.65) << name << " tile " << id;
    }
    unload_datafile(dat);
  }
}
