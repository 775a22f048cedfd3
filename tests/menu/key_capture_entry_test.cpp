#include "menu/key_capture_entry.h"

#include <vector>

#include "engine/key_events.h"
#include "menu_fixture.h"

namespace {

// Somebody's key bindings, as the player's would be.
struct Bindings : InputMap {
  void onAction(const std::string&, bool) override {}
};

class KeyCaptureTest : public MenuFixture {
 protected:
  Bindings bindings;
  KeyCaptureEntry* capture = nullptr;

  void SetUp() override {
    MenuFixture::SetUp();
    bindings.bindKey("jump", KEY_W);
    capture = menu->addKeyCapture("Keys", "Jump", &bindings, "jump", "");
    menu->addEntry("Keys", "Back", "back", nullptr, -1, 0);
    menu->showPage("Keys");
  }

  void startCapture() {
    tap(KEY_ENTER);
    ASSERT_TRUE(capture->capturing);
  }
};

}  // namespace

TEST_F(KeyCaptureTest, ActivationLocksTheMenuUntilAnAcceptedKeyIsPressed) {
  startCapture();
  EXPECT_TRUE(menu->inputLocked);
  EXPECT_TRUE(menu->mouseLocked);

  tap(KEY_ESC);
  tap(KEY_F1);
  tap(KEY_0);
  EXPECT_TRUE(capture->capturing);
  EXPECT_EQ(bindings.bindings["jump"], (std::vector<int>{KEY_W}));

  press(KEY_UP);
  EXPECT_TRUE(capture->capturing);  // bound only once the key is let go
  release(KEY_UP);
  EXPECT_FALSE(capture->capturing);
  EXPECT_EQ(bindings.bindings["jump"], (std::vector<int>{KEY_UP}));
  EXPECT_EQ(capture->keyText, "Up");
  EXPECT_FALSE(menu->inputLocked);
  EXPECT_FALSE(menu->mouseLocked);
  EXPECT_EQ(menu->current, 0);  // the Up press never moved the highlight
}

TEST_F(KeyCaptureTest, TheKeyThatStartedCaptureIsNotCapturedItself) {
  press(KEY_ENTER);
  update(3);
  release(KEY_ENTER);
  EXPECT_TRUE(capture->capturing);
  EXPECT_EQ(bindings.bindings["jump"], (std::vector<int>{KEY_W}));

  tap(KEY_ENTER);  // pressed anew it is a binding like any other
  EXPECT_EQ(bindings.bindings["jump"], (std::vector<int>{KEY_ENTER}));
  EXPECT_FALSE(capture->capturing);
  EXPECT_EQ(actions.size(), 1u);  // only the activation that started it
}

TEST_F(KeyCaptureTest, CaptureRestoresTheMenusActivateKeys) {
  menu->unbind("activate");
  menu->bindKey("activate", KEY_ENTER);
  startCapture();
  tap(KEY_Q);
  EXPECT_EQ(menu->bindings["activate"], (std::vector<int>{KEY_ENTER, KEY_SPACE}));
  tap(KEY_SPACE);
  EXPECT_EQ(actions.size(), 2u);  // Space activates again once the capture is over
}

TEST_F(KeyCaptureTest, DrawShowsTheBoundKeyNameAndFlagsCapture) {
  BITMAP* target = create_bitmap(200, 50);
  clear_to_color(target, makecol(0, 0, 0));
  menu->draw(target);
  // "W" at x 64; the built-in font's W has ink in its first column.
  bool ink = false;
  for (int py = 0; py < 8; ++py) ink = ink || getpixel(target, 64, py) != makecol(0, 0, 0);
  EXPECT_TRUE(ink);
  EXPECT_EQ(capture->keyText, "W");

  startCapture();
  clear_to_color(target, makecol(0, 0, 0));
  menu->draw(target);
  EXPECT_EQ(getpixel(target, 71, 7), makecol(64, 64, 64));  // the grey box, added at half
  destroy_bitmap(target);
}

TEST_F(KeyCaptureTest, ATapShorterThanAFrameWasNotCaptured) {
  startCapture();
  injectKeyEvent(KEY_K, true);
  injectKeyEvent(KEY_K, false);
  takeKeyEvents();
  update();
  EXPECT_FALSE(capture->capturing);
  EXPECT_EQ(bindings.firstCode("jump"), KEY_K);
}
