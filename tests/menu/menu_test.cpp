#include "menu/menu.h"

#include <algorithm>
#include <cstdlib>

#include "menu_fixture.h"

using testsupport::logLines;

namespace {

bool logged(const std::string& line) {
  std::vector<std::string> lines = logLines();
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

using MenuNavigation = MenuFixture;

TEST_F(MenuNavigation, DisabledMiddleLineIsSkippedBothWaysAndTheWalkWraps) {
  makePage("Main", {"Play", "Hidden", "Quit"});
  menu->shown[1]->enabled = false;

  tap(KEY_DOWN);
  EXPECT_EQ(menu->current, 2);
  tap(KEY_DOWN);
  EXPECT_EQ(menu->current, 0);
  tap(KEY_UP);
  EXPECT_EQ(menu->current, 2);
  EXPECT_EQ(highlightedCount(), 1);
  EXPECT_TRUE(menu->shown[2]->highlighted);
}

TEST_F(MenuNavigation, DisabledEndLinesAndAllDisabledPagesStopInsteadOfLooping) {
  makePage("Main", {"A", "B", "C"});
  menu->shown[2]->enabled = false;
  tap(KEY_DOWN);
  tap(KEY_DOWN);
  EXPECT_EQ(menu->current, 2);  // the last line stops the walk whatever its state

  for (MenuEntry* line : menu->shown) line->enabled = false;
  tap(KEY_DOWN);
  EXPECT_EQ(menu->current, 2);  // wrapped through 0 and 1, stopped on the last
  tap(KEY_UP);
  EXPECT_EQ(menu->current, 0);
}

TEST_F(MenuNavigation, LeavingALineClearsItsPressedFlag) {
  makePage("Main", {"A", "B"});
  tap(KEY_ENTER);
  EXPECT_TRUE(menu->shown[0]->pressed);
  tap(KEY_ENTER);
  EXPECT_FALSE(menu->shown[0]->pressed);  // each activation toggles it
  tap(KEY_ENTER);
  tap(KEY_DOWN);
  EXPECT_FALSE(menu->shown[0]->pressed);
}

TEST_F(MenuNavigation, LockedInputIgnoresMovesAndActivation) {
  makePage("Main", {"A", "B"});
  menu->inputLocked = true;
  tap(KEY_DOWN);
  tap(KEY_SPACE);
  EXPECT_EQ(menu->current, 0);
  EXPECT_TRUE(actions.empty());
}

using MenuActivation = MenuFixture;

TEST_F(MenuActivation, EnterAndSpaceHandTheLineActionToTheHandler) {
  makePage("Main", {"Play", "Quit"});
  tap(KEY_ENTER);
  tap(KEY_DOWN);
  tap(KEY_SPACE);
  EXPECT_EQ(actions, (std::vector<std::string>{"do Play", "do Quit"}));
}

TEST_F(MenuActivation, LinkPrefixAloneIsAnActionAndARealLinkSwitchesOnTheNextUpdate) {
  menu->addEntry("Main", "Odd", "LINKTO:", nullptr, -1, 0);
  menu->addEntry("Main", "Options", "LINKTO:Options", nullptr, -1, 0);
  menu->addEntry("Options", "Music", "music", nullptr, -1, 0);
  menu->addEntry("Options", "Back", "LINKTO:Main", nullptr, -1, 0);
  menu->showPage("Main");

  tap(KEY_ENTER);
  EXPECT_EQ(actions, (std::vector<std::string>{"LINKTO:"}));

  tap(KEY_DOWN);
  press(KEY_ENTER);
  EXPECT_EQ(menu->shown[0]->text, "Odd");  // still the old page until the update
  EXPECT_TRUE(menu->shown[1]->pressed);     // the line finished its activation there
  release(KEY_ENTER);
  ASSERT_EQ(menu->shown.size(), 2u);
  EXPECT_EQ(menu->shown[0]->text, "Music");
  EXPECT_EQ(menu->current, 0);
  EXPECT_TRUE(menu->pendingLink.empty());
  EXPECT_EQ(actions.size(), 1u);  // the link never reached the handler
  EXPECT_EQ(menu->children.size(), 2u);
  EXPECT_EQ(menu->children[0], menu->shown[0]);
}

TEST_F(MenuActivation, LinkToAMissingPageIsReportedAndLeavesTheMenuEmptyButSafe) {
  makePage("Main", {"A"});
  menu->showPage("Nowhere");
  EXPECT_TRUE(logged("Tried to link to non-existant menu [Nowhere]"));
  EXPECT_TRUE(menu->shown.empty());
  EXPECT_TRUE(menu->children.empty());
  tap(KEY_DOWN);
  tap(KEY_UP);
  tap(KEY_ENTER);
  EXPECT_TRUE(actions.empty());
}

TEST_F(MenuActivation, WithActivateOnPressFalseAHeldKeyActsOnlyOnRelease) {
  makePage("Main", {"Play"});
  menu->activateOnPress = false;
  press(KEY_ENTER);
  update(5);
  EXPECT_TRUE(actions.empty());
  release(KEY_ENTER);
  EXPECT_EQ(actions, (std::vector<std::string>{"do Play"}));
}

TEST_F(MenuActivation, LineWithoutOwnerReportsEveryUpdate) {
  MenuEntry lost;
  lost.setLabel("Lost");
  lost.update(kDt);
  lost.update(kDt);
  std::vector<std::string> lines = logLines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "MenuEntry [Lost] doesn't have a menu pointer"),
            2);
}

using MenuMouse = MenuFixture;

// Lines are 8 px high in the built-in font; with the menu at (100, 200) line
// n spans y = 200 + 8n … 207 + 8n in screen terms.
TEST_F(MenuMouse, StillMouseKeepsKeyboardHighlightAndAMovingOneTakesIt) {
  menu->setPosition(100, 200);
  makePage("Main", {"Play", "Help", "Quit"});
  moveMouse(110, 203);  // over "Play"
  update(2);
  tap(KEY_DOWN);
  tap(KEY_DOWN);
  update(3);
  EXPECT_EQ(menu->current, 2);  // resting on "Play" did not steal it back

  moveMouse(112, 211);  // onto "Help"
  update();
  EXPECT_EQ(menu->current, 1);
  EXPECT_EQ(highlightedCount(), 1);
  EXPECT_TRUE(menu->shown[1]->highlighted);
}

TEST_F(MenuMouse, MouseRestingOnAMenuWhenItAppearsIsNotAMove) {
  mouse_x = 105;
  mouse_y = 211;
  menu = std::make_unique<Menu>();
  menu->setPosition(100, 200);
  makePage("Main", {"Play", "Help"});
  update(3);
  EXPECT_EQ(menu->current, 0);
}

TEST_F(MenuMouse, ClickActivatesOnReleaseEvenAfterDraggingOffAndBack) {
  menu->setPosition(100, 200);
  makePage("Main", {"Play", "Quit"});
  moveMouse(104, 210);  // "Quit"
  mouse_b = 1;
  update();
  EXPECT_TRUE(menu->shown[1]->mouseDown);
  EXPECT_TRUE(actions.empty());
  moveMouse(400, 400);
  moveMouse(104, 210);
  mouse_b = 0;
  update();
  EXPECT_EQ(actions, (std::vector<std::string>{"do Quit"}));
  EXPECT_FALSE(menu->shown[1]->mouseDown);

  mouse_b = 1;
  update();
  moveMouse(400, 400);
  mouse_b = 0;
  update();
  EXPECT_EQ(actions.size(), 1u);  // released elsewhere: nothing yet
}

TEST_F(MenuMouse, CentredLinesAndHoverWidthSetTheHitBox) {
  menu->anchor = 1;
  menu->setPosition(300, 100);
  makePage("Main", {"Play", "Credits"});  // "Play" is 32 px wide: 284 … 316
  moveMouse(285, 101);
  EXPECT_EQ(menu->current, 0);
  moveMouse(290, 109);
  EXPECT_EQ(menu->current, 1);
  moveMouse(280, 101);  // left of "Play"
  EXPECT_EQ(menu->current, 1);

  menu->hoverWidth = 200;  // 200 … 400
  moveMouse(205, 102);
  EXPECT_EQ(menu->current, 0);
}

TEST_F(MenuMouse, DisabledLineCannotBeClicked) {
  makePage("Main", {"Play", "Secret"});
  menu->shown[1]->enabled = false;
  moveMouse(3, 10);
  mouse_b = 1;
  update();
  mouse_b = 0;
  update();
  EXPECT_EQ(menu->current, 0);
  EXPECT_TRUE(actions.empty());
}

using MenuDrawing = MenuFixture;

TEST_F(MenuDrawing, HighlightedLineGlowsAdditivelyAndDisabledLinesAreNotDrawn) {
  BITMAP* target = create_bitmap(200, 100);
  clear_to_color(target, makecol(0, 0, 0));
  menu->setPosition(10, 20);
  menu->lineSpacing = 16;  // the glow reaches past its line's text box
  menu->addEntry("Main", "MMMM", "a", nullptr, makecol(100, 100, 100), 0);
  menu->addEntry("Main", "MMMM", "b", nullptr, makecol(100, 100, 100), 0);
  menu->addEntry("Main", "MMMM", "c", nullptr, makecol(100, 100, 100), 0);
  menu->showPage("Main");
  menu->shown[2]->enabled = false;
  update(50);  // glows settle: 148 on the current line, 0 on the others
  menu->draw(target);

  // Both M's of the first two lines share pixel columns; the brightest
  // pixel around each line shows its glow.
  auto brightestRed = [&](int top) {
    int best = 0;
    for (int py = top; py < top + 8; ++py)
      for (int px = 10; px < 42; ++px) best = std::max(best, getr(getpixel(target, px, py)));
    return best;
  };
  int plain = brightestRed(44);
  EXPECT_NEAR(plain, 100, 8);
  EXPECT_GT(brightestRed(20), plain + 40);
  EXPECT_EQ(brightestRed(68), 0);
  destroy_bitmap(target);
}

// Cream text turned white was all that told the highlighted line apart;
// now a glow and markers light the water around it.
TEST_F(MenuDrawing, HighlightedLineHardToTellApart) {
  const int water = makecol(40, 90, 160), cream = makecol(255, 246, 214);
  BITMAP* target = create_bitmap(300, 60);
  clear_to_color(target, water);
  menu->anchor = 1;
  menu->lineSpacing = 16;  // rows 10-17 and 34-41: the lines' surroundings do not meet
  menu->setPosition(150, 10);
  menu->addEntry("Main", "Same", "a", nullptr, cream, 0);
  menu->addEntry("Main", "Same", "b", nullptr, cream, 0);
  menu->showPage("Main");
  update(50);
  menu->draw(target);

  // Pixels around a line (its text box widened by 30 px and 6 px) that are
  // clearly not the water: the same ink on both lines, plus the highlight.
  auto litAround = [&](int top) {
    int lit = 0;
    for (int py = top - 6; py < top + 8 + 6; ++py)
      for (int px = 150 - 16 - 30; px < 150 + 16 + 30; ++px) {
        int c = getpixel(target, px, py);
        lit += std::abs(getr(c) - 40) + std::abs(getg(c) - 90) + std::abs(getb(c) - 160) > 90;
      }
    return lit;
  };
  int plain = litAround(34);
  EXPECT_GT(plain, 0);
  EXPECT_GT(litAround(10), 2 * plain);
  destroy_bitmap(target);
}
