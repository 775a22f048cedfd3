#include "engine/datafile_readers.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "engine/datafile_check.h"
#include "support/test_support.h"

namespace {

struct Compared {
  int bitmaps = 0;
  int sprites = 0;
};

void expectSameBitmap(BITMAP* ours, BITMAP* theirs, const std::string& where) {
  ASSERT_EQ(bitmap_color_depth(ours), bitmap_color_depth(theirs)) << where;
  ASSERT_EQ(ours->w, theirs->w) << where;
  ASSERT_EQ(ours->h, theirs->h) << where;
  size_t rowBytes = size_t(ours->w) * size_t((bitmap_color_depth(ours) + 7) / 8);
  for (int y = 0; y < ours->h; ++y)
    ASSERT_EQ(std::memcmp(ours->line[y], theirs->line[y], rowBytes), 0) << where << " row " << y;
}

void expectSameSprite(const RLE_SPRITE* ours, const RLE_SPRITE* theirs, const std::string& where) {
  ASSERT_EQ(ours->w, theirs->w) << where;
  ASSERT_EQ(ours->h, theirs->h) << where;
  ASSERT_EQ(ours->color_depth, theirs->color_depth) << where;
  ASSERT_EQ(ours->size, theirs->size) << where;
  EXPECT_EQ(std::memcmp(ours->dat, theirs->dat, size_t(ours->size)), 0) << where;
}

void expectSameObjects(const DATAFILE* ours, const DATAFILE* theirs, const std::string& where, Compared& compared) {
  int i = 0;
  for (; ours[i].type != DAT_END && theirs[i].type != DAT_END; ++i) {
    std::string at = where + "." + std::to_string(i);
    ASSERT_EQ(ours[i].type, theirs[i].type) << at;
    ASSERT_EQ(ours[i].size, theirs[i].size) << at;
    if (ours[i].type == DAT_FILE) {
      expectSameObjects(static_cast<DATAFILE*>(ours[i].dat), static_cast<DATAFILE*>(theirs[i].dat), at, compared);
    } else if (ours[i].type == DAT_BITMAP) {
      expectSameBitmap(static_cast<BITMAP*>(ours[i].dat), static_cast<BITMAP*>(theirs[i].dat), at);
      compared.bitmaps += 1;
    } else if (ours[i].type == DAT_RLE_SPRITE) {
      expectSameSprite(static_cast<RLE_SPRITE*>(ours[i].dat), static_cast<RLE_SPRITE*>(theirs[i].dat), at);
      compared.sprites += 1;
    }
  }
  EXPECT_EQ(ours[i].type, theirs[i].type) << where << ": lists of different lengths";
}

void* (*bitmapReader())(PACKFILE*, long) {
  for (int i = 0; i < MAX_DATAFILE_TYPES; ++i)
    if (_datafile_type[i].type == DAT_BITMAP) return _datafile_type[i].load;
  return nullptr;
}

}  // namespace

// At 16 bits the pictures take the bulk readers (24-bit ones still Allegro's
// through a memory packfile); at 32 bits every one goes back to Allegro's.
// Either way each object must be byte for byte the one Allegro makes, and
// Allegro's readers must be back in place afterwards.
TEST(DatafileReaders, EveryShippedDatafileLoadsAsAllegroAloneLoadsIt) {
  for (int depth : {16, 32}) {
    testsupport::initAllegroNoDisplay(depth);
    auto allegroReader = bitmapReader();
    Compared compared;
    for (const auto& item : std::filesystem::recursive_directory_iterator(testsupport::gameDir() + "/dat")) {
      if (item.path().extension() != ".dat") continue;
      std::string reason, path = item.path().string();
      DATAFILE* ours = loadCheckedDatafile(path, reason);
      DATAFILE* theirs = load_datafile(path.c_str());
      ASSERT_NE(ours, nullptr) << path << ": " << reason;
      ASSERT_NE(theirs, nullptr) << path;
      expectSameObjects(ours, theirs, path + " at " + std::to_string(depth) + " bits", compared);
      unload_datafile(ours);
      unload_datafile(theirs);
    }
    EXPECT_EQ(bitmapReader(), allegroReader);
    EXPECT_GT(compared.bitmaps, 50) << depth;
    EXPECT_GT(compared.sprites, 40) << depth;
  }
}
