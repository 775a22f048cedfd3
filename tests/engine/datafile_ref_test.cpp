#include "engine/datafile_ref.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "engine/datafile_cache.h"
#include "support/test_datafiles.h"
#include "support/test_support.h"

using testsupport::bitmapEntry;
using testsupport::dataEntry;
using testsupport::messageBoxTexts;

namespace {

class DatafileRefTest : public testing::Test {
 protected:
  void SetUp() override {
    testsupport::initAllegroNoDisplay();
    mkdir("dat", 0755);
    DatafileCache::instance().setDirectory("dat/");
    testsupport::writeDatafile("dat/five.dat", {bitmapEntry(4, 4, 255, 0, 0), dataEntry("a"),
                                                dataEntry("b"), dataEntry("c"), dataEntry("info")});
  }
  void TearDown() override { DatafileCache::instance().unloadAll(); }
  int count(const std::string& key) { return DatafileCache::instance().refCounts[key]; }
};

}  // namespace

TEST_F(DatafileRefTest, TwoHoldersShareOneLoadAndTheLastReleaseUnloads) {
  {
    DatafileRef a, b;
    a.open("five.dat");
    b.open("dat/five.dat");  // already under the directory: used unchanged
    EXPECT_EQ(a.root, b.root);
    EXPECT_EQ(count("dat/five.dat"), 2);
    a.release();
    EXPECT_EQ(count("dat/five.dat"), 1);
    for (const auto& line : testsupport::logLines()) EXPECT_NE(line, "unloading dat/five.dat");
  }  // b released by its destructor; a's destructor must not count again
  EXPECT_EQ(count("dat/five.dat"), 0);
  EXPECT_EQ(DatafileCache::instance().loaded["dat/five.dat"], nullptr);
  int unloads = 0;
  for (const auto& line : testsupport::logLines()) unloads += line == "unloading dat/five.dat";
  EXPECT_EQ(unloads, 1);
}

TEST_F(DatafileRefTest, ExplicitKeyAlreadyCachedWinsOverThePath) {
  testsupport::writeDatafile("dat/other.dat", {dataEntry("x"), dataEntry("y")});
  DatafileRef a, b;
  a.open("five.dat", "shared");
  b.open("other.dat", "shared");
  EXPECT_EQ(a.root, b.root);
  EXPECT_EQ(b.lastIndex, 4);
}

TEST_F(DatafileRefTest, TheLastEntryIsNeverHandedOut) {
  DatafileRef ref;
  ref.open("five.dat");
  EXPECT_NE(ref.get(0), nullptr);
  EXPECT_EQ(ref.typeOf(0), DAT_BITMAP);
  EXPECT_EQ(ref.typeOf(3), DAT_DATA);
  EXPECT_TRUE(messageBoxTexts().empty());
  EXPECT_EQ(ref.get(4), nullptr);
  EXPECT_EQ(ref.typeOf(-1), 0);
  ASSERT_EQ(messageBoxTexts().size(), 2u);
  EXPECT_EQ(messageBoxTexts()[0], "datafile [dat/five.dat] - index [4] out of range");
  EXPECT_EQ(messageBoxTexts()[1], "datafile [dat/five.dat] - index [-1] out of range");
}

TEST_F(DatafileRefTest, EmptyPathDoesNothingAndMissingOrBrokenFilesAreReported) {
  DatafileRef ref;
  ref.open("");
  EXPECT_TRUE(messageBoxTexts().empty());
  EXPECT_FALSE(ref.isLoaded);

  ref.open("missing.dat");
  testsupport::writeFile("dat/garbage.dat", "this is not a datafile at all");
  ref.open("garbage.dat");
  ASSERT_EQ(messageBoxTexts().size(), 2u);
  EXPECT_EQ(messageBoxTexts()[0], "datafile [dat/missing.dat] - file not found");
  EXPECT_EQ(messageBoxTexts()[1], "datafile [dat/garbage.dat] - cannot parse file");
  // The log says what is wrong with it, just before the error.
  std::vector<std::string> lines = testsupport::logLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "datafile [dat/garbage.dat] - not a packfile");
  EXPECT_EQ(ref.get(0), nullptr);
  EXPECT_EQ(messageBoxTexts().back(), "datafile [] - trying to access unloaded datafile");
}

TEST_F(DatafileRefTest, ReleasedHandleReportsInsteadOfReadingFreedData) {
  DatafileRef ref;
  ref.open("five.dat");
  ref.release();
  EXPECT_EQ(ref.get(0), nullptr);
  ASSERT_EQ(messageBoxTexts().size(), 1u);
  EXPECT_EQ(messageBoxTexts()[0], "datafile [dat/five.dat] - trying to access unloaded datafile");
}

TEST_F(DatafileRefTest, ReopeningTheOnlyHolderReloads) {
  DatafileRef ref;
  ref.open("five.dat");
  ref.open("five.dat");
  EXPECT_EQ(count("dat/five.dat"), 1);
  EXPECT_EQ(testsupport::logLines().back(), "unloading dat/five.dat");
  EXPECT_NE(ref.get(0), nullptr);
}

TEST_F(DatafileRefTest, SubDatafilesHandOutAllTheirEntriesAndBadIndicesKeepCurrent) {
  testsupport::writeDatafile(
      "dat/nested.dat",
      {testsupport::nestedEntry({bitmapEntry(2, 2, 0, 0, 255), bitmapEntry(3, 3, 0, 255, 0)}),
       dataEntry("plain"), dataEntry("info")});
  DatafileRef ref;
  ref.open("nested.dat");
  ref.useSubDatafile(0);
  EXPECT_EQ(ref.lastIndex, 2);
  auto* second = static_cast<BITMAP*>(ref.get(1));
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->w, 3);
  DATAFILE* before = ref.current;
  ref.useSubDatafile(1);  // a DATA entry, not a nested datafile
  EXPECT_EQ(ref.current, before);
  ASSERT_EQ(messageBoxTexts().size(), 1u);
  EXPECT_EQ(messageBoxTexts()[0], "datafile [dat/nested.dat] - index [1] out of range");
}

TEST_F(DatafileRefTest, UnloadAllLogsEveryHeldKeyAndEmptiesTheCache) {
  DatafileRef ref;
  ref.open("five.dat");
  DatafileCache::instance().unloadAll();
  EXPECT_EQ(testsupport::logLines().back(), "dat/five.dat");
  EXPECT_TRUE(DatafileCache::instance().loaded.empty());
  ref.isLoaded = false;  // the handle's pointers are stale after shut-down
}
