// Tests that open a real window on the X display the test script provides.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/engine.h"
#include "engine/log.h"
#include "engine/rect_shape.h"
#include "engine/screen.h"
#include "support/test_support.h"

namespace {

struct WindowEngine : Engine {
  void onAction(const std::string&, bool) override {}
  void start() override { run(); }
};

struct RestrictedEngine : WindowEngine {
  RestrictedEngine() { restrictResolution = true; }
};

}  // namespace

TEST(Window, MissingSettingsOpenAnEightHundredBySixHundredWindowAndLogTheEngineFirst) {
  WindowEngine engine;
  engine.useMouse = false;
  engine.init();
  ASSERT_TRUE(engine.screen->ready());
  EXPECT_EQ(engine.screen->width, 800);
  EXPECT_EQ(engine.screen->height, 600);
  EXPECT_FALSE(engine.screen->fullscreen);
  auto lines = testsupport::logLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Kelpcore_19");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Initialized (800,600) - 16 bit color"), lines.end());
  engine.shutdown();
}

TEST(Window, RestrictedResolutionFallsBackTo800x600) {
  testsupport::writeFile("settings.cfg", "resx 1024\nresy 768\n");
  RestrictedEngine engine;
  engine.useMouse = false;
  engine.init();
  EXPECT_EQ(engine.screen->width, 800);
  EXPECT_EQ(engine.screen->height, 600);
  engine.shutdown();
}

TEST(Window, UnrestrictedResolutionIsTakenAsConfigured) {
  testsupport::writeFile("settings.cfg", "resx 1024\nresy 768\n");
  WindowEngine engine;
  engine.useMouse = false;
  engine.init();
  EXPECT_EQ(engine.screen->width, 1024);
  EXPECT_EQ(engine.screen->height, 768);
  EXPECT_EQ(SCREEN_W, 1024);
  engine.shutdown();
}

TEST(Window, WidthAloneKeepsTheDefaultHeight) {
  testsupport::writeFile("settings.cfg", "resx 640\n");
  RestrictedEngine engine;
  engine.useMouse = false;
  engine.init();
  EXPECT_EQ(engine.screen->width, 640);
  EXPECT_EQ(engine.screen->height, 600);
  engine.shutdown();
}

TEST(Window, PresentedFrameReachesTheDisplay) {
  WindowEngine engine;
  engine.useMouse = false;
  engine.init();
  RectShape box;
  box.width = 100;
  box.height = 50;
  box.x = 300;
  box.y = 200;
  box.fillColour = makecol(255, 0, 0);
  engine.screen->addToLayer(&box, 0);
  clear_bitmap(engine.screen->backBuffer);
  engine.screen->present();
  engine.screen->flip();
  EXPECT_EQ(getpixel(::screen, 350, 225), makecol(255, 0, 0));
  EXPECT_EQ(getpixel(::screen, 299, 225), makecol(0, 0, 0));
  engine.screen->removeFromLayer(&box, 0);
  engine.shutdown();
}

TEST(Window, CrossFadeOfZeroSecondsStillDrawsTheFinalFrameAndResetsTheTimer) {
  WindowEngine engine;
  engine.useMouse = false;
  engine.init();
  RectShape box;
  box.width = 10;
  box.height = 10;
  box.x = 20;
  box.y = 20;
  box.fillColour = makecol(0, 255, 0);
  engine.screen->addToLayer(&box, 0);
  engine.crossFade(0.0f);
  EXPECT_TRUE(engine.resetTimer);
  EXPECT_EQ(getpixel(::screen, 25, 25), makecol(0, 255, 0));
  engine.screen->removeFromLayer(&box, 0);
  engine.shutdown();
}

TEST(Window, CrossFadeStartsFromTheSnapshotAndEndsOnTheNewScene) {
  WindowEngine engine;
  engine.useMouse = false;
  engine.init();
  clear_to_color(engine.screen->backBuffer, makecol(0, 0, 255));
  engine.screen->snapshot();
  RectShape box;
  box.width = 800;
  box.height = 600;
  box.fillColour = makecol(255, 255, 0);
  engine.screen->addToLayer(&box, 0);
  engine.crossFade(0.05f);
  EXPECT_EQ(getpixel(::screen, 400, 300), makecol(255, 255, 0));
  engine.screen->removeFromLayer(&box, 0);
  engine.shutdown();
}

namespace {
struct ModeCountingEngine : WindowEngine {
  int modeChanges = 0;
  void onDisplayModeChanged() override { ++modeChanges; }
};
}  // namespace

TEST(Window, ToggleFullscreenSwitchesTheDisplayAndRunsTheHook) {
  ModeCountingEngine engine;
  engine.useMouse = false;
  engine.init();
  engine.toggleFullscreen();
  EXPECT_TRUE(engine.screen->fullscreen);
  EXPECT_EQ(engine.modeChanges, 1);
  EXPECT_EQ(SCREEN_W, 800);
  engine.shutdown();
}
