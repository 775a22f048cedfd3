#include "flow/profile_store.h"

#include <allegro.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>

#include "support/test_support.h"

namespace {

class ProfileStoreTest : public testing::Test {
 protected:
  void SetUp() override { testsupport::initAllegroNoDisplay(); }
};

// The decompressed bytes of a progress file, read the way the game does.
std::vector<unsigned char> progressBytes(const std::string& path) {
  std::vector<unsigned char> bytes(2000);
  PACKFILE* f = pack_fopen(path.c_str(), F_READ_PACKED);
  if (!f) return {};
  long n = pack_fread(bytes.data(), static_cast<long>(bytes.size()), f);
  pack_fclose(f);
  bytes.resize(n < 0 ? 0 : static_cast<size_t>(n));
  return bytes;
}

int32_t int32At(const std::vector<unsigned char>& b, size_t at) {
  return static_cast<int32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 |
                              static_cast<uint32_t>(b[at + 3]) << 24);
}

void writePacked(const std::string& path, const std::vector<unsigned char>& bytes) {
  PACKFILE* f = pack_fopen(path.c_str(), F_WRITE_PACKED);
  pack_fwrite(bytes.data(), static_cast<long>(bytes.size()), f);
  pack_fclose(f);
}

}  // namespace

TEST_F(ProfileStoreTest, ProgressFileHasTheExactLayout) {
  ProfileProgress p;
  p.levelsBeaten = 12;
  p.bubbleLimit = 5;
  p.coins = -3;
  p.waterEffect = 0;
  p.highResolution = 1;
  p.fullScreen = 1;
  p.ratings = {{0, 100}, {11, 76}, {99, 5}, {1000, 100}};
  p.bestTimes = {{11, 83}};
  ASSERT_TRUE(writeProgressFile("profiles/a.dat", p));  // the folder is created
  auto b = progressBytes("profiles/a.dat");
  ASSERT_EQ(b.size(), 816u);
  EXPECT_EQ(int32At(b, 0), 12);
  EXPECT_EQ(int32At(b, 4), 5);
  EXPECT_EQ(int32At(b, 8), -3);
  EXPECT_EQ(b[12], 0);
  EXPECT_EQ(b[13], 1);
  EXPECT_EQ(b[14], 1);
  EXPECT_EQ(b[15], 0);
  EXPECT_EQ(int32At(b, 16), 100);
  EXPECT_EQ(int32At(b, 16 + 4 * 11), 76);
  EXPECT_EQ(int32At(b, 16 + 4 * 99), 5);
  EXPECT_EQ(int32At(b, 416 + 4 * 11), 83);
  EXPECT_EQ(int32At(b, 416), 0);

  ProfileProgress back;
  ASSERT_TRUE(readProgressFile("profiles/a.dat", back));
  EXPECT_EQ(back.levelsBeaten, 12);
  EXPECT_EQ(back.coins, -3);
  EXPECT_EQ(back.waterEffect, 0);
  EXPECT_EQ(back.ratings.size(), 100u);  // every stored level reads back, 0 when absent
  EXPECT_EQ(back.ratings[11], 76);
  EXPECT_EQ(back.ratings.count(1000), 0u);  // mini-game results are not kept on disk
  EXPECT_EQ(back.bestTimes[11], 83);
}

TEST_F(ProfileStoreTest, TruncatedEmptyOrGarbageProgressKeepsDefaultsForWhatIsMissing) {
  mkdir("profiles", 0755);
  std::vector<unsigned char> start = {7, 0, 0, 0, 4, 0};  // levels 7, bubble limit cut short
  writePacked("profiles/short.dat", start);
  ProfileProgress p;
  EXPECT_TRUE(readProgressFile("profiles/short.dat", p));
  EXPECT_EQ(p.levelsBeaten, 7);
  EXPECT_EQ(p.bubbleLimit, 3);
  EXPECT_EQ(p.coins, 25);
  EXPECT_TRUE(p.ratings.empty());

  testsupport::writeFile("profiles/empty.dat", "");
  testsupport::writeFile("profiles/garbage.dat", std::string(5000, '\xab'));
  for (const char* path : {"profiles/empty.dat", "profiles/garbage.dat"}) {
    ProfileProgress q;
    readProgressFile(path, q);
    EXPECT_EQ(q.bubbleLimit, 3) << path;  // nothing usable: the defaults stand
    EXPECT_EQ(q.coins, 25) << path;
  }
  ProfileProgress missing;
  EXPECT_FALSE(readProgressFile("profiles/missing.dat", missing));
  EXPECT_EQ(missing.coins, 25);
}

TEST_F(ProfileStoreTest, ProfileListTakesTheLastOfTwoOrMoreLinesAsCurrent) {
  testsupport::writeFile("profiles.cfg", "a\nb\nc\nb\n");
  ProfileList list = readProfileList("profiles.cfg");
  EXPECT_EQ(list.names, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(list.current, "b");

  testsupport::writeFile("profiles.cfg", "solo\n");
  list = readProfileList("profiles.cfg");
  EXPECT_EQ(list.names, (std::vector<std::string>{"solo"}));
  EXPECT_EQ(list.current, "");

  EXPECT_TRUE(readProfileList("missing.cfg").names.empty());

  list = {{"a", "b"}, "b"};
  ASSERT_TRUE(writeProfileList("profiles.cfg", list));
  EXPECT_EQ(testsupport::readFile("profiles.cfg"), "a\nb\nb\n");
}

TEST_F(ProfileStoreTest, HandEditedListNeverYieldsAPathOutsideTheProfileFolder) {
  testsupport::writeFile("profiles.cfg",
                         std::string("../../etc/passwd\n\n..\nok\n") + std::string(3, '\0') +
                             "\nx\ny\nz\nw\nv\n../escape\n");
  ProfileList list = readProfileList("profiles.cfg");
  for (const std::string& name : list.names) EXPECT_TRUE(isUsableProfileName(name)) << name;
  EXPECT_LE(list.names.size(), 5u);
  EXPECT_EQ(list.names.front(), "ok");
  EXPECT_EQ(list.current, "");  // "../escape" is refused
}

TEST(ProfileNames, UnusableNames) {
  for (const char* bad : {"", ".", "..", "a/b", "a\\b", "tab\tname"}) {
    EXPECT_FALSE(isUsableProfileName(bad)) << bad;
  }
  EXPECT_FALSE(isUsableProfileName(std::string(65, 'a')));
  // Printable UTF-8 only: no stray bytes, overlong forms, surrogates or C1 controls.
  for (const char* bad : {"\xff", "a\xc0\xaf", "\xed\xa0\x80", "a\xc2\x85", "\xe2\x82", "\xf4\x90\x80\x80", "\x7f"})
    EXPECT_FALSE(isUsableProfileName(bad)) << bad;
  for (const char* good : {"gulpy", "New Profile", "A1", "..x", "Zo\xc3\xab", "\xe9\xaf\xa8", "\xf0\x9f\x90\x9f"})
    EXPECT_TRUE(isUsableProfileName(good)) << good;
}

TEST_F(ProfileStoreTest, SaveKilledMidBurstLeavesTheOldOrTheNewFileNeverABrokenOne) {
  ProfileProgress p;
  p.coins = 1;
  ASSERT_TRUE(writeProgressFile("profiles/k.dat", p));
  for (int round = 0; round < 20; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ProfileProgress q;
      for (int i = 0;; ++i) {
        q.coins = 1000 + i;
        for (int level = 0; level < 100; ++level) q.ratings[level] = q.coins;
        writeProgressFile("profiles/k.dat", q);
      }
    }
    usleep(1000 + round * 700);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    auto b = progressBytes("profiles/k.dat");
    ASSERT_EQ(b.size(), 816u) << "round " << round;
    int coins = int32At(b, 8);
    if (coins == 1) continue;  // the first save was never replaced
    for (int level = 0; level < 100; ++level) ASSERT_EQ(int32At(b, 16 + 4 * level), coins);
  }
}
