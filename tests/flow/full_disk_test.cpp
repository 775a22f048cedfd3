// Saves on a full disk: every save writes a temporary file first; here that
// file is /dev/full, where every write fails the way a full disk does.
#include <allegro.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "engine/engine.h"
#include "engine/safe_file.h"
#include "flow/profile_store.h"
#include "support/test_support.h"

namespace {

struct Bindings : InputMap {
  void onAction(const std::string&, bool) override {}
};

struct SettingsOnly : Engine {
  void start() override {}
  void onAction(const std::string&, bool) override {}
};

// The next save of path writes into a full disk.
void fillDiskFor(const std::string& path) {
  ASSERT_EQ(symlink("/dev/full", temporaryPathFor(path).c_str()), 0) << path;
}

bool loggedFailureFor(const std::string& path) {
  std::vector<std::string> lines = testsupport::logLines();
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.rfind("Could not save [" + path + "]", 0) == 0;
  });
}

}  // namespace

TEST(FullDisk, ProgressSaveKeepsTheOldFileRemovesTheTemporaryOneAndLogs) {
  testsupport::initAllegroNoDisplay();
  ProfileProgress good;
  good.levelsBeaten = 17;
  good.ratings[3] = 100;
  ASSERT_TRUE(writeProgressFile("profiles/p.dat", good));
  std::string before = testsupport::readFile("profiles/p.dat");

  fillDiskFor("profiles/p.dat");
  ProfileProgress newer;
  newer.levelsBeaten = 18;
  EXPECT_FALSE(writeProgressFile("profiles/p.dat", newer));

  EXPECT_EQ(testsupport::readFile("profiles/p.dat"), before);
  ProfileProgress back;
  ASSERT_TRUE(readProgressFile("profiles/p.dat", back));
  EXPECT_EQ(back.levelsBeaten, 17);
  EXPECT_EQ(back.ratings[3], 100);
  struct stat info;
  EXPECT_NE(lstat(temporaryPathFor("profiles/p.dat").c_str(), &info), 0);
  EXPECT_TRUE(loggedFailureFor("profiles/p.dat"));
}

TEST(FullDisk, SettingsKeysAndProfileListReportTheFailedWriteAndKeepTheOldFile) {
  testsupport::initAllegroNoDisplay();
  testsupport::writeFile("settings.cfg", "resx 640\n");
  testsupport::writeFile("keys.cfg", "fire 1 75 \n");
  testsupport::writeFile("profiles.cfg", "a\na\n");
  for (const char* path : {"settings.cfg", "keys.cfg", "profiles.cfg"}) fillDiskFor(path);

  SettingsOnly engine;
  engine.settings["resx"] = 800;
  engine.saveSettings();
  Bindings keys;
  keys.bindKey("fire", KEY_F);
  keys.save("keys.cfg");
  EXPECT_FALSE(writeProfileList("profiles.cfg", {{"a", "b"}, "b"}));

  EXPECT_EQ(testsupport::readFile("settings.cfg"), "resx 640\n");
  EXPECT_EQ(testsupport::readFile("keys.cfg"), "fire 1 75 \n");
  EXPECT_EQ(testsupport::readFile("profiles.cfg"), "a\na\n");
  for (const char* path : {"settings.cfg", "keys.cfg", "profiles.cfg"}) {
    EXPECT_TRUE(loggedFailureFor(path)) << path;
    EXPECT_FALSE(fileExists(temporaryPathFor(path))) << path;
  }
}
