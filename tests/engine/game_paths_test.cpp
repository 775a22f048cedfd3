#include "engine/game_paths.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

// Puts the level pictures, by which the game knows its data, in folder.
void placeData(const std::string& folder) {
  fs::create_directories(folder + "/dat/lvl");
  testsupport::writeFile(folder + "/dat/lvl/levels.dat", "levels");
}

std::string inWorkDir(const std::string& name) { return testsupport::workDir() + "/" + name + "/"; }

PathClues installedClues() {
  PathClues clues;
  clues.programDir = testsupport::workDir() + "/prefix/games";
  fs::create_directories(clues.programDir);
  placeData("prefix/share/games/tidewell-quest");
  clues.home = "/home/ann";
  return clues;
}

}  // namespace

TEST(GamePathsChoice, AnInstalledProgramReadsItsShareFolderAndKeepsPlayerFilesInTheXdgFolders) {
  PathClues clues = installedClues();
  placeData(".");  // a game folder where it was started does not capture it
  clues.dataHome = "/xdg/data";
  clues.configHome = "relative/config";  // XDG: a relative folder is ignored
  GamePaths paths = choosePaths(clues);
  EXPECT_EQ(paths.data, inWorkDir("prefix/share/games/tidewell-quest"));
  EXPECT_EQ(paths.user, "/xdg/data/tidewell-quest/");
  EXPECT_EQ(paths.config, "/home/ann/.config/tidewell-quest/");
  EXPECT_NE(paths.layout.find("installed"), std::string::npos) << paths.layout;

  clues.dataHome.clear();
  clues.configHome = "/xdg/config";
  paths = choosePaths(clues);
  EXPECT_EQ(paths.user, "/home/ann/.local/share/tidewell-quest/");
  EXPECT_EQ(paths.config, "/xdg/config/tidewell-quest/");
}

TEST(GamePathsChoice, AGameFolderKeepsEverythingBesideItsData) {
  PathClues clues;
  clues.programDir = testsupport::workDir() + "/build/game";
  clues.home = "/home/ann";
  placeData("build/game");
  // Started in a game folder (./play, the tests): relative, as always.
  placeData(".");
  GamePaths paths = choosePaths(clues);
  EXPECT_EQ(paths.data, "");
  EXPECT_EQ(paths.user, "");
  EXPECT_EQ(paths.config, "");

  // Started elsewhere: the program's own game folder.
  fs::remove_all("dat");
  paths = choosePaths(clues);
  EXPECT_EQ(paths.data, inWorkDir("build/game"));
  EXPECT_EQ(paths.user, paths.data);
  EXPECT_EQ(paths.config, paths.data);

  // No data anywhere: the working directory, which then reports what it misses.
  fs::remove_all("build");
  paths = choosePaths(clues);
  EXPECT_EQ(paths.data + paths.user + paths.config, "");
}

TEST(GamePathsChoice, TestersOverridesWinAndBecomeAbsolute) {
  PathClues clues = installedClues();
  clues.userOverride = "mine";
  GamePaths paths = choosePaths(clues);
  EXPECT_EQ(paths.data, inWorkDir("prefix/share/games/tidewell-quest"));
  EXPECT_EQ(paths.user, inWorkDir("mine"));
  EXPECT_EQ(paths.config, inWorkDir("mine"));

  clues.userOverride.clear();
  clues.dataOverride = "elsewhere/data";
  paths = choosePaths(clues);
  EXPECT_EQ(paths.data, inWorkDir("elsewhere/data"));
  EXPECT_EQ(paths.user, "/home/ann/.local/share/tidewell-quest/");
}

TEST(GamePathsChoice, PlayerFoldersAreMadeWithTheUsersUmask) {
  GamePaths paths;
  paths.user = inWorkDir("deep/data/tidewell-quest");
  paths.config = inWorkDir("deep/config/tidewell-quest");
  mode_t before = umask(027);
  std::string error;
  bool made = makePlayerFolders(paths, error);
  umask(before);
  ASSERT_TRUE(made) << error;
  for (const std::string& folder : {paths.user, paths.config, inWorkDir("deep")}) {
    fs::perms perms = fs::status(folder).permissions();
    EXPECT_EQ(perms & fs::perms::all, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec)
        << folder;
  }

  testsupport::writeFile("blocked", "a file where a folder should be");
  paths.user = inWorkDir("blocked/tidewell-quest");
  EXPECT_FALSE(makePlayerFolders(paths, error));
  EXPECT_NE(error.find("blocked"), std::string::npos) << error;
}
