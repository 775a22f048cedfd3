#include "engine/gamepad.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {

struct Recorder : InputMap {
  std::vector<std::pair<std::string, bool>> calls;
  void onAction(const std::string& name, bool pressed) override { calls.emplace_back(name, pressed); }
};

using Calls = std::vector<std::pair<std::string, bool>>;

class GamepadTest : public testing::Test {
 protected:
  Gamepad& pad = Gamepad::instance();

  void SetUp() override {
    testsupport::initAllegroNoDisplay();
    for (int i = 0; i < KEY_MAX; ++i) key[i] = 0;
    pad.bindDefaultButtons();
  }
  void TearDown() override { pad.endSimulation(); }

  static void stick(int direction, bool down) {
    JOYSTICK_AXIS_INFO& axis = joy[0].stick[0].axis[direction / 2];
    (direction % 2 == 0 ? axis.d1 : axis.d2) = down;
  }
  static void button(int b, bool down) { joy[0].button[b].b = down; }
};

}  // namespace

TEST_F(GamepadTest, StickAndButtonsHoldTheKeysOfTheirRolesOnlyWhileAPadIsPresent) {
  // Without a pad, even a joy[] left holding everything holds no key.
  joy[0].num_buttons = 8;
  joy[0].stick[0].axis[0].d1 = 1;
  joy[0].button[0].b = 1;
  EXPECT_FALSE(inputCodeDown(KEY_LEFT));
  EXPECT_FALSE(inputCodeDown(KEY_ENTER));
  EXPECT_FALSE(inputCodeDown(kAnyKey));

  pad.simulate(8);
  stick(0, true);
  EXPECT_TRUE(inputCodeDown(KEY_LEFT));
  EXPECT_FALSE(inputCodeDown(KEY_RIGHT));
  stick(0, false);
  stick(3, true);
  EXPECT_TRUE(inputCodeDown(KEY_DOWN));
  stick(3, false);

  button(0, true);  // shoot
  EXPECT_TRUE(inputCodeDown(KEY_ENTER));
  EXPECT_TRUE(inputCodeDown(KEY_SPACE));
  EXPECT_TRUE(inputCodeDown(kAnyKey));
  button(0, false);
  button(2, true);  // jump
  EXPECT_TRUE(inputCodeDown(KEY_UP));
  button(2, false);
  button(7, true);  // menu
  EXPECT_TRUE(inputCodeDown(KEY_ESC));
  button(7, false);
  EXPECT_FALSE(inputCodeDown(KEY_ESC));
  EXPECT_FALSE(inputCodeDown(kAnyKey));

  // The player's own keys: steering with A and firing with Z.
  Recorder player;
  player.bindKey("left", KEY_A);
  player.bindKey("fire", KEY_Z);
  pad.followPlayerKeys(player);
  stick(0, true);
  button(0, true);
  EXPECT_TRUE(inputCodeDown(KEY_A));
  EXPECT_TRUE(inputCodeDown(KEY_Z));
  EXPECT_FALSE(inputCodeDown(KEY_B));
}

TEST_F(GamepadTest, OnePadPressHoldingTwoKeysOfAnActionReportsOnce) {
  pad.simulate(8);
  Recorder menu;
  menu.bindKey("activate", KEY_ENTER);
  menu.bindKey("activate", KEY_SPACE);
  button(0, true);
  menu.poll();
  button(0, false);
  menu.poll();
  EXPECT_EQ(menu.calls, (Calls{{"activate", true}, {"activate", false}}));

  // A pad dropped while a direction is held releases it.
  Recorder steer;
  steer.bindKey("left", KEY_LEFT);
  stick(0, true);
  steer.poll();
  pad.endSimulation();
  steer.poll();
  EXPECT_EQ(steer.calls, (Calls{{"left", true}, {"left", false}}));
}

TEST_F(GamepadTest, ButtonsSwapRolesAndABadPadFileKeepsTheDefaults) {
  pad.setButton(kPadShoot, 1);  // back's button
  EXPECT_EQ(pad.button(kPadShoot), 1);
  EXPECT_EQ(pad.button(kPadBack), 0);
  pad.saveButtons("p.pad");
  pad.bindDefaultButtons();
  pad.loadButtons("p.pad");
  EXPECT_EQ(pad.button(kPadShoot), 1);
  EXPECT_EQ(pad.button(kPadBack), 0);

  // A key code, two buttons, or a line that does not parse: defaults.
  testsupport::writeFile("bad.pad", "shoot 1 75\njump 2 9003 9004\nback x\nmenu 1 9005\n");
  pad.loadButtons("bad.pad");
  EXPECT_EQ(pad.button(kPadShoot), 0);
  EXPECT_EQ(pad.button(kPadJump), 2);
  EXPECT_EQ(pad.button(kPadBack), 1);
  EXPECT_EQ(pad.button(kPadMenu), 5);
  pad.loadButtons("missing.pad");
  EXPECT_EQ(pad.button(kPadMenu), 7);
}
