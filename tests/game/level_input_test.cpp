// What keys do inside a level: overlays hold the level and keep their keys
// to themselves, short presses count, and chance differs per entry.
#include <allegro.h>

#include <cstdlib>

#include "game/actors/actor.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"
#include "menu/menu.h"

namespace {

class LevelInput : public LevelFixture {
 protected:
  void tap(int scancode) {
    hold(scancode);
    step();
    letGo(scancode);
    step();
  }
};

}  // namespace

TEST_F(LevelInput, TheHelpScreenPausesTheLevelUntilATenthOfASecondAfterItCloses) {
  playLevel({"#######", "#P..jC#", "#.....#", "#.....#", "#######"}, 0);
  step();
  ASSERT_EQ(top(), "helpText");  // level 0 opens it at the start
  Actor* jelly = findActor("jellyfish.dat");
  ASSERT_NE(jelly, nullptr);
  float jellyY = jelly->y, clock = app.levelTime;
  run(2.0f);
  EXPECT_EQ(jelly->y, jellyY);
  EXPECT_EQ(app.levelTime, clock);

  tap(KEY_ENTER);
  ASSERT_EQ(top(), "inGame");
  run(0.06f);
  EXPECT_EQ(jelly->y, jellyY);
  run(0.2f);
  EXPECT_NE(jelly->y, jellyY);
  EXPECT_GT(app.levelTime, clock);
  EXPECT_LT(app.levelTime, clock + 0.3f);
}

TEST_F(LevelInput, AKeyThatClosesAnOverlayDoesNotActInTheLevel) {
  playLevel({"#########", "#...P..C#", "#.......#", "#########"}, 0);
  step();
  ASSERT_EQ(top(), "helpText");
  tap(KEY_SPACE);
  ASSERT_EQ(top(), "inGame");
  run(0.3f);
  EXPECT_EQ(app.player->bubbles, app.bubbleLimit);

  // The shop closed with Right still held from choosing in it.
  tap(KEY_TAB);
  ASSERT_EQ(top(), "powerupShop");
  hold(KEY_RIGHT);
  step();
  tap(KEY_ESC);
  ASSERT_EQ(top(), "inGame");
  float x = app.player->x;
  run(0.5f);
  EXPECT_EQ(app.player->x, x);

  // "Continue" chosen in the in-game menu with Right still held.
  tap(KEY_ESC);
  ASSERT_TRUE(app.inGameMenu->visible);
  tap(KEY_ENTER);
  ASSERT_FALSE(app.inGameMenu->visible);
  run(0.5f);
  EXPECT_EQ(app.player->x, x);

  letGo(KEY_RIGHT);  // a fresh press moves the fish again
  step();
  hold(KEY_RIGHT);
  run(0.2f);
  EXPECT_GT(app.player->x, x);
}

TEST_F(LevelInput, AKeyPressedAndLetGoWithinOnePassCountsOnce) {
  playLevel({"#########", "#P.....C#", "#.......#", "#########"}, 2);
  tapWithinPass(KEY_SPACE);
  step();
  EXPECT_EQ(app.player->bubbles, app.bubbleLimit - 1);
  run(0.6f);  // the shot has faded

  // A held key's repeats are no new presses.
  injectKeyEvent(KEY_SPACE, true);
  step();
  injectKeyEvent(KEY_SPACE, true);
  run(0.6f);
  injectKeyEvent(KEY_SPACE, false);
  step();
  EXPECT_EQ(app.player->bubbles, app.bubbleLimit - 2);

  // Two taps of Down between two passes move the menu's cursor two lines.
  tapWithinPass(KEY_ESC);
  step();
  ASSERT_TRUE(app.inGameMenu->visible);
  step();
  tapWithinPass(KEY_DOWN);
  tapWithinPass(KEY_DOWN);
  step();
  EXPECT_EQ(app.inGameMenu->current, 2);
  tapWithinPass(KEY_DOWN);
  step();
  EXPECT_EQ(app.inGameMenu->current, 3);
}

TEST_F(LevelInput, EveryEntryDrawsNewChanceUnlessADemoGivesTheSeed) {
  seedFromClock = true;
  playLevel({"#####", "#P.C#", "#####"}, 2);
  int first = std::rand();
  enterLevel(2);
  EXPECT_NE(std::rand(), first);

  app.levelSeed = 12345u;
  enterLevel(2);
  int seeded = std::rand();
  enterLevel(2);  // a restart within a demo
  EXPECT_EQ(std::rand(), seeded);
}
