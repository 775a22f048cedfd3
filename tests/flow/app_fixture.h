#pragma once
// Runs the real game application in this test process, under the X display
// the test script provides, with the game folder linked into the fresh
// working directory. Time is driven by explicit dt and keys by Allegro's
// key array.
#include <allegro.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "engine/log.h"
#include "engine/screen.h"
#include "flow/game_app.h"
#include "support/test_support.h"

class AppFixture : public ::testing::Test {
 protected:
  GameApp app;

  void SetUp() override {
    for (const char* item : {"dat", "sfx", "mus", "credits.txt"}) {
      std::string from = testsupport::gameDir() + "/" + item;
      ASSERT_EQ(symlink(from.c_str(), item), 0) << item;
    }
    // Errors are recorded instead of ending the process.
    setFatalMode(false);
    app.init();
    ASSERT_TRUE(app.screen && app.screen->ready());
  }

  void TearDown() override {
    releaseAllKeys();
    app.shutdown();
    EXPECT_TRUE(testsupport::messageBoxTexts().empty())
        << ::testing::PrintToString(testsupport::messageBoxTexts());
  }

  // One pass of the main loop without drawing.
  void frame(float dt = 0.01f) {
    app.update(dt);
    app.endFrame();
  }

  void run(float seconds, float dt = 0.05f) {
    for (float t = 0.0f; t < seconds - 1e-4f; t += dt) frame(dt);
  }

  void press(int scancode) {
    key[scancode] = 1;
    frame();
  }

  void release(int scancode) {
    key[scancode] = 0;
    frame();
  }

  void tap(int scancode) {
    press(scancode);
    release(scancode);
  }

  static void releaseAllKeys() {
    for (int i = 0; i < KEY_MAX; ++i) key[i] = 0;
  }

  std::string top() { return app.stateStack.empty() ? "" : app.stateStack.back()->name; }

  // Leaves the logo for the title, the way the game starts.
  void reachTitle() {
    app.queueAction("JUMPSTATE:title");
    frame();
    ASSERT_EQ(top(), "title");
  }
};
