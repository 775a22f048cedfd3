#include "flow/help_text.h"

#include <gtest/gtest.h>

using Lines = std::array<std::string, 4>;

TEST(HelpText, ListedLevelsWinOverTheirTenLevelGroup) {
  // 16 is a coin level inside the pirate group; 14 a ride inside it.
  EXPECT_EQ(helpLines(16, 15, "Space"),
            (Lines{"Collect 15 coins to win.", "Use the coins to buy power-ups",
                   "at the power-up shop. (TAB)", ""}));
  EXPECT_EQ(helpLines(14, 0, "Space"), (Lines{"Hang on tight!", "", "", ""}));
  EXPECT_EQ(helpLines(12, 0, "Space"),
            (Lines{"Beware of the pirate fish!", "Rearrange the crates to ", "proceed.", ""}));
  EXPECT_EQ(helpLines(48, 0, "Space")[0], "Run!!");
  EXPECT_EQ(helpLines(49, 0, "Space")[0], "You've reached the final boss!");
  EXPECT_EQ(helpLines(45, 0, "Space")[1], "Shark's lair.");
}

TEST(HelpText, TheFireKeyIsNamedInTheDuelAndTheDefaultHint) {
  EXPECT_EQ(helpLines(19, 0, "F")[2], "Press F to attack.");
  EXPECT_EQ(helpLines(2, 0, "Enter"),
            (Lines{"To use your Bubbles,", "press Enter", "Bubbles will trap your",
                   "enemies for a short time."}));
}

TEST(HelpText, MiniGamesHaveTheirOwnRulesExceptTheLastWhichFallsBack) {
  EXPECT_EQ(helpLines(1000, 0, "Space")[1], "treasure to win 5 coins.");
  EXPECT_EQ(helpLines(1001, 0, "Space")[3], "15 coins. Hurry!");
  EXPECT_EQ(helpLines(1002, 0, "Space")[3], "Keep it up to win 25 coins!");
  EXPECT_EQ(helpLines(1003, 0, "Space")[0], "To use your Bubbles,");
  EXPECT_EQ(helpLines(0, 0, "Space")[3], "Press F1 to get help in-game.");
}
