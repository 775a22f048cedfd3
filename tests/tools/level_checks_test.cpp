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

TEST(LevelChecks, RewardsStayOutOfTheCreaturesReach) {
  // Two cells from a crab is too close, three is clear; and the wreck's
  // levels are held to it as the reef's are, the city's not.
  EXPECT_EQ(checked({"##############", "#P........C.c#", "##############"}),
            "level07.txt:3:11: a treasure chest within two cells of the crab at line 3, column 13");
  EXPECT_EQ(checked({"##############", "#P.......C..c#", "##############"}), "");
  EXPECT_NE(checked({"#########", "#P1.^...#", "#......C#", "#########"}, 19), "");
  EXPECT_EQ(checked({"#########", "#P1.^...#", "#......C#", "#########"}, 20), "");
  // A clam's pearl is its own; another clam beside it is not.
  EXPECT_EQ(checked({"#########", "#P.Q..C.#", "#########"}), "");
  EXPECT_NE(checked({"#########", "#P.QQ.C.#", "#########"}).find("pearl within two cells of the clam"),
            std::string::npos);
}

TEST(LevelChecks, RewardsNearTheStartStayOutOfASweep) {
  // A cannon fires down its row to the first wall: a gem in that row beside
  // the start is in the line of fire, one behind a wall is not.
  const std::string chest = "#C............#";
  EXPECT_EQ(checked({"###############", "#P.1.......K..#", chest, "###############"}),
            "level07.txt:3:4: a gem near the player start lies in the reach of the cannon at line 3, column 12");
  EXPECT_EQ(checked({"###############", "#P.1#......K..#", chest, "###############"}), "");
  // Six cells from the start the same line of fire is the player's to judge.
  EXPECT_EQ(checked({"###############", "#P.....1...K..#", chest, "###############"}), "");
  // A jellyfish drifts its column until a tile turns it; scenery turns it too.
  EXPECT_NE(checked({"#######", "#P.j..#", "#.....#", "#.....#", "#..1.C#", "#######"}), "");
  EXPECT_EQ(checked({"#######", "#P.j..#", "#.....#", "#..%..#", "#..1.C#", "#######"}), "");
  // A crab walks only where it has floor; a sleepy fish dashes only left.
  EXPECT_NE(checked({"##########", "#P..C....#", "#........#", "#.1....c.#", "##########"}), "");
  EXPECT_EQ(checked({"##########", "#P..C....#", "#........#", "#.1....c.#", "#...######", "##########"}), "");
  EXPECT_EQ(checked({"##########", "#Pz...1..#", "#.......C#", "##########"}), "");
  EXPECT_NE(checked({"##########", "#P.1...z.#", "#.......C#", "##########"}), "");
}
