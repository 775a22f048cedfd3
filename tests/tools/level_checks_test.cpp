// The checks every level source passes before it is compiled.
#include <gtest/gtest.h>

#include "level_checks.h"
#include "level_compiler.h"
#include "support/test_support.h"

using namespace levels;

namespace {

// The check's verdict on rows of legend characters as level `number`:
// empty when the level passes.
std::string checked(const std::vector<std::string>& rows, int number = 7) {
  Legend legend;
  std::string error;
  std::string legendText = testsupport::readFile(testsupport::sourceDir() + "/assets/levels/legend.txt");
  EXPECT_TRUE(parseLegend(legendText, legend, error)) << error;
  std::string text = "; a comment line, so rows start on line 2\n";
  for (const std::string& row : rows) text += row + "\n";
  LevelPicture picture;
  EXPECT_TRUE(parseLevel("level07.txt", text, legend, picture, error)) << error;
  return checkLevel("level07.txt", number, picture, error) ? "" : error;
}

}  // namespace

TEST(LevelChecks, EachFailureNamesItsCell) {
  EXPECT_EQ(checked({"#####", "#P.C#", "#####"}), "");
  EXPECT_EQ(checked({"#####", "#..C#", "#####"}), "level07.txt:2:1: no player start");
  EXPECT_EQ(checked({"#####", "#P.C#", "#..P#", "#####"}),
            "level07.txt:4:4: a second player start; the first is at line 3, column 2");
  EXPECT_EQ(checked({"#####", "#P.1#", "#####"}),
            "level07.txt:2:1: no treasure chest, so the level could never be completed");
  EXPECT_EQ(checked({"#####", "#P.C#", "###.#"}),
            "level07.txt:3:2: the player start is not inside the walls: open cells lead from it to the "
            "level's edge at line 4, column 4");
  EXPECT_EQ(checked({"#######", "#P.#.C.", "#######"}),
            "level07.txt:3:6: a treasure chest is not inside the walls: open cells lead from it to the "
            "level's edge at line 3, column 7");
}

TEST(LevelChecks, OnlyWallsKeepTheOutsideOut) {
  // Crates, scenery and creatures are no walls: a gap they fill still leaks.
  EXPECT_NE(checked({"##x##", "#P.C#", "#####"}), "");
  EXPECT_NE(checked({"#####", "#P.C%", "#####"}), "");
  EXPECT_NE(checked({"#####", "#P.Cc", "#####"}), "");
  // A sealed room inside an open area is inside the walls, the chest beside
  // the start too; a chest out in the open is not.
  EXPECT_EQ(checked({".......", ".#####.", ".#P.C#.", ".#####.", "......."}), "");
  EXPECT_NE(checked({".......", ".#####.", ".#P.C#.", ".#####.", "..C...."}), "");
  // A start on the edge has left the level already.
  EXPECT_NE(checked({"P####", "#..C#", "#####"}), "");
  // Every level needs a chest but the dance game, which brings its own.
  EXPECT_NE(checked({"####", "#P.#", "####"}, 1003), "");
  EXPECT_EQ(checked({"####", "#P.#", "####"}, 1002), "");
}
