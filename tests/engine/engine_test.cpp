#include "engine/engine.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "engine/screen.h"
#include "support/test_support.h"

namespace {

// An engine whose passes are scripted: each update records dt, then sets
// the ticks the next pass will see.
struct LoopEngine : Engine {
  std::vector<float> dts;
  std::vector<int> ticksBeforeNextPass;
  std::vector<std::string> actions;
  void onAction(const std::string& name, bool) override { actions.push_back(name); }
  void start() override { run(); }
  void update(float dt) override {
    Engine::update(dt);
    dts.push_back(dt);
    size_t pass = dts.size();
    if (pass >= ticksBeforeNextPass.size()) {
      quit = true;
      return;
    }
    tickCount = ticksBeforeNextPass[pass];
  }
};

class EngineLoopTest : public testing::Test {
 protected:
  std::unique_ptr<testsupport::MemoryDisplay> display;
  void SetUp() override {
    testsupport::initAllegroNoDisplay();
    display = std::make_unique<testsupport::MemoryDisplay>();
  }
  void attachScreen(Engine& engine) { engine.screen = new Screen(800, 600, Screen::Offscreen{}); }
};

}  // namespace

TEST_F(EngineLoopTest, FrameTimeComesInTenMsStepsCappedAtAFifteenth) {
  LoopEngine engine;
  attachScreen(engine);
  engine.ticksBeforeNextPass = {0, 0, 200, 3};
  engine.run();
  ASSERT_EQ(engine.dts.size(), 4u);
  EXPECT_FLOAT_EQ(engine.dts[0], 0.0f);  // two passes within 10 ms still both run
  EXPECT_FLOAT_EQ(engine.dts[1], 0.0f);
  EXPECT_FLOAT_EQ(engine.dts[2], 0.06666667f);  // a 2-second stall
  EXPECT_FLOAT_EQ(engine.dts[3], 0.03f);
  delete engine.screen;
  engine.screen = nullptr;
}

TEST_F(EngineLoopTest, HalfTimeScaleHalvesEvenTheCappedFrameAndSlowsTheFpsCount) {
  LoopEngine engine;
  attachScreen(engine);
  engine.timeScale = 0.5f;
  // Capped passes of 1/15 real second: the scaled second is full after 30
  // of them (2 real seconds), counting the first pass with dt 0 as well.
  engine.ticksBeforeNextPass.assign(45, 200);
  engine.run();
  EXPECT_FLOAT_EQ(engine.dts[1], 0.033333335f);
  EXPECT_EQ(engine.fps, 31);
  EXPECT_EQ(engine.frameCount, 45 - 31);
  delete engine.screen;
  engine.screen = nullptr;
}

TEST_F(EngineLoopTest, QueuedActionsAreDispatchedInOrderIncludingThoseQueuedMeanwhile) {
  struct Chain : LoopEngine {
    void onAction(const std::string& name, bool pressed) override {
      LoopEngine::onAction(name, pressed);
      if (name == "first") queueAction("third");
    }
  } engine;
  attachScreen(engine);
  engine.queueAction("first");
  EXPECT_EQ(engine.queueAction("second"), 2u);
  engine.run();
  EXPECT_EQ(engine.actions, (std::vector<std::string>{"first", "second", "third"}));
  delete engine.screen;
  engine.screen = nullptr;
}

TEST(EngineSettings, MissingFileReadsNothingAndSaveWritesWhatWasAskedFor) {
  testsupport::initAllegroNoDisplay();
  LoopEngine engine;
  EXPECT_TRUE(engine.settings.empty());
  engine.settings["resy"];
  engine.settings["enableAltEnter"];
  engine.settings["resx"] = 800;
  engine.settings["volumeHint"] = 0.5f;
  engine.settings["fullscreen"];
  engine.saveSettings();
  EXPECT_EQ(testsupport::readFile("settings.cfg"),
            "enableAltEnter 0\nfullscreen 0\nresx 800\nresy 0\nvolumeHint 0.5\n");
}

TEST(EngineSettings, LaterLinesWinAndGarbageValuesReadAsZero) {
  testsupport::writeFile("settings.cfg", "resx 640\nresx 1024\nresy banana\nfullscreen 1e2\n");
  LoopEngine engine;
  EXPECT_FLOAT_EQ(engine.settings["resx"], 1024.0f);
  EXPECT_FLOAT_EQ(engine.settings["resy"], 0.0f);
  EXPECT_FLOAT_EQ(engine.settings["fullscreen"], 100.0f);
}

TEST(EngineSettings, NonFiniteValuesReadAsZeroAndUnusableSizesFallBackTo800x600) {
  testsupport::writeFile("settings.cfg", "resx nan\nresy inf\nfullscreen -1e99\n");
  LoopEngine engine;
  EXPECT_EQ(engine.settings["resx"], 0.0f);
  EXPECT_EQ(engine.settings["resy"], 0.0f);
  EXPECT_EQ(engine.settings["fullscreen"], 0.0f);

  struct Case {
    float resx, resy;
    int width, height;
  };
  const Case cases[] = {{0, 0, 800, 600},        {1e10f, 600, 800, 600}, {800, 100000, 800, 600},
                        {800, -600, 800, 600},   {319, 600, 800, 600},   {1024, 239, 800, 600},
                        {320, 240, 320, 240},    {4096, 4096, 4096, 4096}, {640, 0, 640, 600}};
  for (const Case& c : cases) {
    DisplaySize size = displaySizeFor(c.resx, c.resy, false);
    EXPECT_EQ(size.width, c.width) << c.resx << " x " << c.resy;
    EXPECT_EQ(size.height, c.height) << c.resx << " x " << c.resy;
  }
  EXPECT_EQ(displaySizeFor(1024, 768, true).width, 800);
}

TEST(EngineSettings, MaxFpsKeepsAScheduleOfDeadlines) {
  EXPECT_EQ(nextFrameDeadline(0.0, 3.0, 0.0f), 3.0);  // 0: flat out, as always
  EXPECT_EQ(nextFrameDeadline(0.0, 3.0, -5.0f), 3.0);
  // The schedule holds the rate whatever each frame took: a frame that
  // ended late leaves the next one less time, not the same time again.
  EXPECT_DOUBLE_EQ(nextFrameDeadline(100.0, 105.0, 50.0f), 120.0);
  EXPECT_DOUBLE_EQ(nextFrameDeadline(120.0, 125.0, 50.0f), 140.0);
  EXPECT_DOUBLE_EQ(nextFrameDeadline(140.0, 150.0, 50.0f), 160.0);
  // More than a frame behind (a stall): a new schedule from now, no rush.
  EXPECT_DOUBLE_EQ(nextFrameDeadline(100.0, 500.0, 50.0f), 520.0);
  // A clock that jumped back does not wait for the old schedule.
  EXPECT_DOUBLE_EQ(nextFrameDeadline(1000.0, 10.0, 50.0f), 30.0);
  EXPECT_DOUBLE_EQ(nextFrameDeadline(0.0, 0.0, 1e9f), 1.0);  // capped at 1000 frames a second
  // Found by fuzzing: a tiny rate once made a rest too long for an int.
  EXPECT_DOUBLE_EQ(nextFrameDeadline(0.0, 0.0, 1e-10f), 1000.0);
}

TEST(EngineSettings, UnknownKeysAreKeptOnlyWhileShortWordsAndFewSoJunkNeverGrowsTheFile) {
  std::string text = "resx 640\n" + std::string(3 << 20, 'k') + " 1\nbad/key 1\n";
  for (int i = 0; i < 12; ++i) text += "extra" + std::to_string(i) + " 1\n";
  text += "maxfps 60\nextra0 2\n";
  testsupport::writeFile("settings.cfg", text);
  LoopEngine engine;
  EXPECT_EQ(engine.settings["resx"], 640.0f);
  EXPECT_EQ(engine.settings["maxfps"], 60.0f);  // known keys after the junk still count
  EXPECT_EQ(engine.settings["extra0"], 2.0f);
  EXPECT_EQ(engine.settings.count("extra7"), 1u);
  EXPECT_EQ(engine.settings.count("extra8"), 0u);  // eight unknown at most
  EXPECT_EQ(engine.settings.count("bad/key"), 0u);
  engine.saveSettings();
  EXPECT_LT(testsupport::readFile("settings.cfg").size(), 200u);
}

TEST(EngineSettings, BinaryGarbageDoesNotCrash) {
  testsupport::writeFile("settings.cfg", std::string("\0\x01\xff resx \x7f\x80", 12));
  LoopEngine engine;
  EXPECT_LE(engine.settings.size(), 2u);
}

namespace {
struct ToggleCountingEngine : LoopEngine {
  int toggles = 0;
  void toggleFullscreen() override { ++toggles; }
};
}  // namespace

TEST_F(EngineLoopTest, AltEnterTogglesOnEveryUpdateWhileHeldOnlyWhenEnabled) {
  ToggleCountingEngine engine;
  attachScreen(engine);
  key_shifts |= KB_ALT_FLAG;
  key[KEY_ENTER] = 1;
  engine.Engine::update(0.0f);
  EXPECT_EQ(engine.toggles, 0);  // "enableAltEnter" reads 0 without a settings file
  engine.settings["enableAltEnter"] = 1;
  for (int i = 0; i < 3; ++i) engine.Engine::update(0.0f);
  EXPECT_EQ(engine.toggles, 3);  // not edge-triggered
  key_shifts &= ~KB_ALT_FLAG;
  engine.Engine::update(0.0f);
  EXPECT_EQ(engine.toggles, 3);
  key[KEY_ENTER] = 0;
  delete engine.screen;
  engine.screen = nullptr;
}
