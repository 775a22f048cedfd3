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
