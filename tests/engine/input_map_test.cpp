#include "engine/input_map.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "support/test_support.h"

namespace {

struct Recorder : InputMap {
  std::vector<std::pair<std::string, bool>> calls;
  std::function<void(const std::string&, bool)> hook;
  void onAction(const std::string& name, bool pressed) override {
    calls.emplace_back(name, pressed);
    if (hook) hook(name, pressed);
  }
};

class InputMapTest : public testing::Test {
 protected:
  void SetUp() override {
    testsupport::initAllegroNoDisplay();
    for (int i = 0; i < KEY_MAX; ++i) key[i] = 0;
    mouse_b = 0;
  }
};

using Calls = std::vector<std::pair<std::string, bool>>;

}  // namespace

TEST_F(InputMapTest, PressAndReleaseEachReportOnce) {
  Recorder map;
  map.bindKey("fire", KEY_SPACE);
  map.poll();
  key[KEY_SPACE] = 1;
  map.poll();
  map.poll();
  EXPECT_TRUE(map.isDown("fire"));
  key[KEY_SPACE] = 0;
  map.poll();
  EXPECT_EQ(map.calls, (Calls{{"fire", true}, {"fire", false}}));
}

TEST_F(InputMapTest, SharedCodeReportsOnlyToTheFirstActionInNameOrder) {
  Recorder map;
  map.bindKey("prev", KEY_LEFT);
  map.bindKey("left", KEY_LEFT);
  key[KEY_LEFT] = 1;
  map.poll();
  key[KEY_LEFT] = 0;
  map.poll();
  EXPECT_EQ(map.calls, (Calls{{"left", true}, {"left", false}}));
}

TEST_F(InputMapTest, HandlerThatUnbindsStopsThePoll) {
  Recorder map;
  map.bindKey("a", KEY_A);
  map.bindKey("b", KEY_B);
  map.hook = [&](const std::string& name, bool) {
    if (name == "a") map.unbind("a");
  };
  key[KEY_A] = 1;
  key[KEY_B] = 1;
  map.poll();
  EXPECT_EQ(map.calls, (Calls{{"a", true}}));
  map.poll();  // "b" is reported on the next pass
  EXPECT_EQ(map.calls, (Calls{{"a", true}, {"b", true}}));
}

TEST_F(InputMapTest, AnyKeyBoundWhileAKeyIsHeldReportsAtOnce) {
  Recorder map;
  key[KEY_Q] = 1;
  map.bindKey("skip", kAnyKey);
  map.poll();
  EXPECT_EQ(map.calls, (Calls{{"skip", true}}));
}

TEST_F(InputMapTest, KeyHeldWhenBoundIsNotReportedAsAPress) {
  Recorder map;
  key[KEY_ENTER] = 1;
  map.bindKey("start", KEY_ENTER);
  map.poll();
  EXPECT_TRUE(map.calls.empty());
}

TEST_F(InputMapTest, MouseButtonsAreNegatedMasks) {
  Recorder map;
  map.bindKey("click", -2);
  mouse_b = 1;
  map.poll();
  EXPECT_TRUE(map.calls.empty());
  mouse_b = 2;
  map.poll();
  EXPECT_EQ(map.calls, (Calls{{"click", true}}));
}

TEST_F(InputMapTest, JoystickBindersDoNothingWithoutAJoystick) {
  Recorder map;
  map.bindJoystickButton("fire", 0);
  map.bindJoystickDirection("left", 0);
  EXPECT_TRUE(map.bindings.empty());
}

TEST_F(InputMapTest, FirstCodeOfAnUnknownActionLogsAndGivesMinusOne) {
  Recorder map;
  map.bindKey("up", KEY_UP);
  map.bindKey("up", KEY_W);
  EXPECT_EQ(map.firstCode("up"), KEY_UP);
  EXPECT_EQ(map.firstCode("jump"), -1);
  EXPECT_EQ(testsupport::logLines().back(), "no action: jump");
  EXPECT_TRUE(testsupport::messageBoxTexts().empty());
}

TEST_F(InputMapTest, SaveWritesTheExactFormatAndLoadRestoresIt) {
  Recorder map;
  map.bindKey("fire", KEY_SPACE);
  map.bindKey("left", KEY_LEFT);
  map.bindKey("left", KEY_A);
  map.save("keys.cfg");
  EXPECT_EQ(testsupport::readFile("keys.cfg"), "fire 1 75 \nleft 2 82 1 \n");

  Recorder other;
  other.bindKey("fire", KEY_F);
  other.bindKey("left", KEY_J);
  other.load("keys.cfg");
  EXPECT_EQ(other.bindings, map.bindings);
}

TEST_F(InputMapTest, LoadSkipsUnknownActionsWithTheirCodes) {
  testsupport::writeFile("keys.cfg", "jump 2 5 6\nfire 1 3\n");
  Recorder map;
  map.bindKey("fire", KEY_SPACE);
  map.load("keys.cfg");
  EXPECT_EQ(map.bindings.size(), 1u);
  EXPECT_EQ(map.bindings["fire"], std::vector<int>{KEY_C});
}

TEST_F(InputMapTest, GarbageOrTruncatedFileKeepsWhatWasRead) {
  Recorder map;
  map.bindKey("fire", KEY_SPACE);
  map.bindKey("up", KEY_UP);
  testsupport::writeFile("keys.cfg", "fire 1 3\nup banana 9\n");
  map.load("keys.cfg");
  EXPECT_EQ(map.bindings["fire"], std::vector<int>{KEY_C});
  EXPECT_EQ(map.bindings["up"], std::vector<int>{KEY_UP});

  testsupport::writeFile("keys.cfg", "up 99999999999 1");
  map.load("keys.cfg");
  EXPECT_EQ(map.bindings["up"], std::vector<int>{KEY_UP});

  testsupport::writeFile("keys.cfg", std::string("\0\xff\x01garbage", 10));
  map.load("keys.cfg");
  map.load("no-such-file.cfg");
  EXPECT_EQ(map.bindings["fire"], std::vector<int>{KEY_C});
}

TEST(KeyName, LettersArrowsAndNumbers) {
  EXPECT_EQ(keyName(KEY_A), "A");
  EXPECT_EQ(keyName(KEY_Z), "Z");
  EXPECT_EQ(keyName(75), "Space");
  EXPECT_EQ(keyName(63), "Bckspc");
  EXPECT_EQ(keyName(84), "Up");
  EXPECT_EQ(keyName(27), "27");
  EXPECT_EQ(keyName(-1), "-1");
}

TEST_F(InputMapTest, UnknownOrShortKeyFileLinesAreSkippedWholeAndLogged) {
  Recorder map;
  map.bindKey("fire", KEY_SPACE);
  map.bindKey("left", KEY_LEFT);
  map.bindKey("up", KEY_UP);
  map.bindKey("down", KEY_DOWN);
  testsupport::writeFile("keys.cfg",
                         "fire 1 -99999999999\n"  // would be INT_MIN, negated by the poll
                         "left 2 1\n"             // fewer codes than its count
                         "up 1 119\n"             // past the last key
                         "down 3 4059 9001 -2\n");  // any key, a joystick button, a mouse button
  map.load("keys.cfg");
  EXPECT_EQ(map.bindings["fire"], std::vector<int>{KEY_SPACE});
  EXPECT_EQ(map.bindings["left"], std::vector<int>{KEY_LEFT});
  EXPECT_EQ(map.bindings["up"], std::vector<int>{KEY_UP});
  EXPECT_EQ(map.bindings["down"], (std::vector<int>{4059, 9001, -2}));
  std::vector<std::string> lines = testsupport::logLines();
  for (const char* skipped : {"keys.cfg line 1 skipped", "keys.cfg line 2 skipped", "keys.cfg line 3 skipped"})
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [&](const std::string& l) { return l.rfind(skipped, 0) == 0; }),
              lines.end())
        << skipped;
  map.poll();  // every stored code is one the poll can read
}
