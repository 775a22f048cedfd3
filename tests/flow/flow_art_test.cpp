// The frames the flow shows are in the baked datafiles at the indexes the
// code uses (the last entry of a datafile is never handed out).
#include <allegro.h>
#include <gtest/gtest.h>

#include "engine/datafile_cache.h"
#include "engine/datafile_ref.h"
#include "support/test_support.h"

TEST(FlowArt, EveryFrameTheFlowShowsIsHandedOut) {
  testsupport::initAllegroNoDisplay(16);
  DatafileCache::instance().setDirectory(testsupport::gameDir() + "/dat/");
  const struct {
    const char* name;
    int highestIndex;
  } kUses[] = {{"cutscene0.dat", 2}, {"help.dat", 1}, {"hud.dat", 2},  {"heart.dat", 1},
               {"powerups.dat", 4},  {"100perc.dat", 0}, {"eog.dat", 2}, {"logo.dat", 0},
               {"bg1.dat", 0},       {"bg2.dat", 0},  {"bg3.dat", 0},  {"bg4.dat", 0}};
  for (const auto& use : kUses) {
    DatafileRef ref;
    ref.open(use.name);
    ASSERT_TRUE(ref.isLoaded) << use.name;
    for (int i = 0; i <= use.highestIndex; ++i) {
      int type = ref.typeOf(i);
      EXPECT_TRUE(type == DAT_RLE_SPRITE || type == DAT_BITMAP) << use.name << " " << i;
    }
    EXPECT_EQ(ref.lastIndex, use.highestIndex + 1) << use.name << " holds more frames than are shown";
  }
  EXPECT_TRUE(testsupport::messageBoxTexts().empty()) << testsupport::messageBoxTexts().front();
  DatafileCache::instance().unloadAll();
}
