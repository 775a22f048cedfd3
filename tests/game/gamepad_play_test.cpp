// The game played through Allegro's joystick state alone, as a player with
// a pad and no keyboard would: joy[0] is written the way the level tests
// write key[].
#include <allegro.h>

#include "engine/gamepad.h"
#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"
#include "menu/menu.h"
#include "menu/menu_entry.h"
#include "support/test_support.h"

namespace {

const int kShoot = 0, kMenu = 7, kCapturedButton = 5;

class GamepadPlay : public LevelFixture {
 protected:
  Gamepad& pad = Gamepad::instance();

  void SetUp() override {
    LevelFixture::SetUp();
    pad.simulate(10);
  }
  void TearDown() override {
    pad.endSimulation();
    LevelFixture::TearDown();
  }

  void press(int button) {
    joy[0].button[button].b = 1;
    step();
    joy[0].button[button].b = 0;
    step();
  }
  static void stickRight(bool down) { joy[0].stick[0].axis[0].d2 = down; }

  // Answers what stands over the level at its start (its help) with pad
  // presses until the level itself is on top.
  void reachLevel() {
    run(0.5f);  // the help opens a pass after the level is entered
    for (int i = 0; i < 5 && top() != "inGame"; ++i) {
      press(kShoot);
      run(0.5f);  // the level stays paused a moment after the help closes
    }
    ASSERT_EQ(top(), "inGame");
    ASSERT_NE(app.player, nullptr);
  }
};

}  // namespace

TEST_F(GamepadPlay, LevelZeroOpensThroughThePadAlone) {
  useGameLevels();
  enterLevel(0);
  reachLevel();
  Player& fish = *app.player;

  float startX = fish.x;
  stickRight(true);
  run(1.0f);
  EXPECT_GT(fish.x, startX + 40.0f) << "the stick swims";
  stickRight(false);
  run(0.5f);

  press(kShoot);
  EXPECT_TRUE(fish.shot.visible) << "the shoot button fires a bubble";
  run(2.0f);

  press(kMenu);
  ASSERT_NE(app.inGameMenu, nullptr);
  EXPECT_TRUE(app.inGameMenu->visible) << "the menu button opens the in-game menu";
  EXPECT_EQ(app.paused, 1);
  // "Continue" is the first line.
  press(kShoot);
  run(0.5f);
  EXPECT_FALSE(app.inGameMenu->visible);
  EXPECT_EQ(app.paused, 0);

  // Swimming still works after the menu, and a pad pulled out while the
  // stick is held leaves nothing held.
  float beforeX = app.player->x;
  stickRight(true);
  run(0.5f);
  EXPECT_GT(app.player->x, beforeX);
  pad.endSimulation();
  run(0.1f);
  EXPECT_FALSE(app.player->isDown("right"));
}

TEST_F(GamepadPlay, TheGamepadPageCapturesAButtonAndSavesItWithTheProfile) {
  app.switchState("title");
  step();
  ASSERT_NE(app.titleMenu, nullptr);
  Menu& menu = *app.titleMenu;
  menu.showPage("Gamepad");
  step();
  ASSERT_EQ(menu.shown.front()->text, "Shoot");

  press(kShoot);  // starts capturing; the press itself is not taken
  EXPECT_TRUE(menu.inputLocked);
  EXPECT_EQ(pad.button(kPadShoot), kShoot);
  joy[0].button[kCapturedButton].b = 1;
  step();
  EXPECT_EQ(pad.button(kPadShoot), kShoot) << "taken on release, not on press";
  joy[0].button[kCapturedButton].b = 0;
  step();
  EXPECT_EQ(pad.button(kPadShoot), kCapturedButton);
  EXPECT_FALSE(menu.inputLocked);

  // The new button activates; "Back" (the last line) saves.
  for (size_t i = 1; i < menu.shown.size(); ++i) {
    joy[0].stick[0].axis[1].d2 = 1;  // down
    step();
    joy[0].stick[0].axis[1].d2 = 0;
    step();
  }
  ASSERT_EQ(menu.shown[menu.current]->text, "Back");
  press(kCapturedButton);
  step();
  std::string saved = testsupport::readFile("profiles/" + app.currentProfile + ".pad");
  EXPECT_NE(saved.find("shoot 1 9005"), std::string::npos) << saved;
}
