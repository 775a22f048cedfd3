// Demos: the file, recording through the main loop, and the verifier of
// the command line.
#include <allegro.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "engine/key_events.h"
#include "flow/demo.h"
#include "flow/demo_session.h"
#include "game/actors/player.h"
#include "game/in_game_state.h"
#include "game/level_fixture.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace {

std::string demoError(const std::string& text) {
  Demo demo;
  std::string error;
  return parseDemo(text, demo, error) ? "" : error;
}

// A player at the keyboard: presses and releases keys on the passes the
// script names, each pass 20 ms long, while the game records; stops after
// the given number of passes.
class ScriptedRecorder : public DemoRecorder {
 public:
  using Script = std::map<size_t, std::vector<KeyChange>>;
  ScriptedRecorder(GameApp& app, int level, Script keys, size_t passes = SIZE_MAX)
      : DemoRecorder(app, level), script(std::move(keys)), lastPass(passes) {}
  bool beginPass(float& dt) override {
    if (pass == lastPass) return false;
    for (const KeyChange& change : script[pass++]) injectKeyEvent(change.code, change.down);
    dt = 0.02f;
    return DemoRecorder::beginPass(dt);
  }

 private:
  Script script;
  size_t pass = 0;
  size_t lastPass;
};

}  // namespace

TEST(DemoFile, ReadsBackExactlyWhatItWrites) {
  Demo demo;
  demo.level = 1002;
  demo.passes = {{0.01f, {{KEY_RIGHT, true}}}, {0.0f, {}}, {0.0f, {}}, {0.0f, {}},
                 {1.0f / 30, {{KEY_RIGHT, false}, {KEY_SPACE, true}, {KEY_F5, true}, {KEY_YEN, true}}},
                 {0.02f * 0.5f, {}}};
  std::string text = formatDemo(demo);
  EXPECT_EQ(text, "tidewell-demo 1\nlevel 1002\n0.01 +RIGHT\n0*3\n0.033333335 -RIGHT +SPACE +F5 +95\n0.01\n");
  Demo back;
  std::string error;
  ASSERT_TRUE(parseDemo("; by hand\n\n" + text, back, error)) << error;
  EXPECT_EQ(back.level, 1002);
  ASSERT_EQ(back.passes.size(), demo.passes.size());
  for (size_t i = 0; i < demo.passes.size(); ++i) {
    EXPECT_EQ(back.passes[i].dt, demo.passes[i].dt) << i;  // bit for bit
    ASSERT_EQ(back.passes[i].keys.size(), demo.passes[i].keys.size()) << i;
    for (size_t k = 0; k < demo.passes[i].keys.size(); ++k) {
      EXPECT_EQ(back.passes[i].keys[k].code, demo.passes[i].keys[k].code);
      EXPECT_EQ(back.passes[i].keys[k].down, demo.passes[i].keys[k].down);
    }
  }
}

TEST(DemoFile, RefusesWhatTheGameCouldNotHaveWritten) {
  EXPECT_EQ(demoError("tidewell-demo 1\nlevel 3\n"), "");  // no passes yet: still a demo
  EXPECT_EQ(demoError("tidewell-demo 2\nlevel 3\n"), "line 1: expected 'tidewell-demo 1'");
  EXPECT_EQ(demoError("; made by hand\ntidewell-demo 1\nlevel 50\n"),
            "line 3: expected 'level N' with N 0-49 or 1000-1003");
  EXPECT_EQ(demoError("tidewell-demo 1\nlevel 3\n0.02\n0.07\n"),
            "line 4: expected a frame time of 0 to 1/15 s, with an optional *count: '0.07'");
  EXPECT_EQ(demoError("tidewell-demo 1\nlevel 3\n0.02 +LEFTT\n"), "line 3: expected +KEY or -KEY: '+LEFTT'");
  for (const char* pass : {"-0.01", "0.02*0", "0.02*x", "nan", "0.02 +00", "0.02 +127", "0.02 LEFT"})
    EXPECT_NE(demoError(std::string("tidewell-demo 1\nlevel 3\n") + pass + "\n"), "") << pass;
  EXPECT_EQ(demoError("tidewell-demo 1\nlevel 3\n0*999999\n0*2\n"), "line 4: more than 1000000 passes");
  // Plain decimals only, as the game writes them.
  for (const char* pass : {"0x1p-5*100", "inf", "+0.02", "0.02*+3", "0.02*0x10", ".", "1e", "0.0.2"})
    EXPECT_NE(demoError(std::string("tidewell-demo 1\nlevel 3\n") + pass + "\n"), "") << pass;
  EXPECT_EQ(demoError("tidewell-demo 1\nlevel +3\n"), "line 2: expected 'level N' with N 0-49 or 1000-1003");
  EXPECT_EQ(demoError("tidewell-demo 1\nlevel 3\n1e-05*3\n.02 +75\n"), "");
  EXPECT_EQ(demoError(std::string("tidewell-demo 1\nlevel 3\n0.02\0 junk\n", 35)), "line 3: a NUL byte");
  // No longer than the level clock's 599 s and a minute of pauses.
  EXPECT_EQ(demoError("tidewell-demo 1\nlevel 3\n0.06*11000\n"), "");
  EXPECT_EQ(demoError("tidewell-demo 1\nlevel 3\n0.06*11000\n0.01\n"), "line 4: more than 660 s of play");
}

TEST(DemoFile, ASeedLineGivesTheLevelsChanceAndWithoutOneTheLevelKeepsItsFixedSeed) {
  Demo demo;
  std::string error;
  ASSERT_TRUE(parseDemo("tidewell-demo 1\nlevel 7\nseed 4294967295\n0.02\n", demo, error)) << error;
  EXPECT_EQ(demo.seed, 4294967295u);
  EXPECT_EQ(demoSeed(demo), 4294967295u);
  EXPECT_EQ(formatDemo(demo), "tidewell-demo 1\nlevel 7\nseed 4294967295\n0.02\n");
  ASSERT_TRUE(parseDemo("tidewell-demo 1\nlevel 7\n0.02\n", demo, error)) << error;
  EXPECT_FALSE(demo.seed);
  EXPECT_EQ(demoSeed(demo), fixedLevelSeed(7));
  EXPECT_EQ(formatDemo(demo), "tidewell-demo 1\nlevel 7\n0.02\n");
  for (const char* seed : {"seed -1", "seed 4294967296", "seed x", "seed", "seed 1 2"})
    EXPECT_EQ(demoError(std::string("tidewell-demo 1\nlevel 3\n") + seed + "\n"),
              "line 3: expected 'seed N' with N 0-4294967295")
        << seed;
}

class DemoVerifier : public LevelFixture {
 protected:
  std::string out;

  // Scratch folders go to ./tmp, watched with the rest.
  void SetUp() override {
    LevelFixture::SetUp();
    fs::create_directories("io");
    fs::create_directories("tmp");
    setenv("TMPDIR", (testsupport::workDir() + "/tmp").c_str(), 1);
  }

  // The built game's verifier on text as a demo file: its exit status, with
  // what it printed in out.
  int verify(const std::string& text) {
    testsupport::writeFile("io/check.demo", text);
    std::string command = testsupport::gameDir() + "/tidewell --verify-demo io/check.demo >io/out.txt 2>io/err.txt";
    int status = std::system(command.c_str());
    out = testsupport::readFile("io/out.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // Every file and folder here, with a digest of its contents; not the
  // verifier's io nor the recording of the test's own sound.
  static std::map<std::string, std::string> disk() {
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(".")) {
      std::string path = entry.path().string();
      if (path.rfind("./io", 0) == 0 || path == "./capture.wav") continue;
      if (entry.is_symlink()) files[path] = "-> " + fs::read_symlink(entry.path()).string();
      else if (entry.is_regular_file()) files[path] = std::to_string(std::hash<std::string>()(testsupport::readFile(path)));
      else files[path] = "folder";
    }
    return files;
  }
};

TEST_F(DemoVerifier, PrintsOneVerdictLineWinsOnlyWhenPlayedThroughAndLeavesNoTrace) {
  playLevel({"######", "#PC12#", "######"}, 6);  // the chest one cell ahead
  std::map<std::string, std::string> before = disk();
  EXPECT_EQ(verify("tidewell-demo 1\nlevel 6\n0.02 +RIGHT\n0.02*60\n"), 0);
  EXPECT_EQ(out, "level 6: won, rating 66%, time 0.72 s\n");
  EXPECT_EQ(verify("tidewell-demo 1\nlevel 6\n"), 1);  // cut short before its first pass
  EXPECT_EQ(out, "level 6: not won after 0.00 s\n");
  EXPECT_EQ(verify("tidewell-demo 1\nlevel 6\n0.5\n"), 2);
  EXPECT_EQ(out, "");
  EXPECT_EQ(disk(), before);

  playLevel({"#######", "#P.#.C#", "#######"}, 2);  // the chest is out of reach
  before = disk();
  EXPECT_EQ(verify("tidewell-demo 1\nlevel 2\n0.05*40 +RIGHT\n"), 1);
  EXPECT_EQ(out, "level 2: not won after 2.00 s\n");
  EXPECT_EQ(disk(), before);

  playLevel({"#####", "#P12#", "#####"}, 6);  // no chest: no level, never won at once
  EXPECT_EQ(verify("tidewell-demo 1\nlevel 6\n0.02*3\n"), 1);
  EXPECT_EQ(out, "level 6: could not load the level - no treasure chest\n");
}

TEST_F(DemoVerifier, ARecordedWinVerifiesButNotCutShortOrWithItsKeysOnePassLate) {
  playLevel({"########", "#P...C.#", "########"}, 2);
  Demo demo;
  {
    ScriptedRecorder recorder(app, 2, {{0, {{KEY_RIGHT, true}}}});
    app.run();  // until the chest is taken
    ASSERT_TRUE(recorder.outcome().won);
    demo = recorder.demo;
  }
  EXPECT_EQ(verify(formatDemo(demo)), 0);
  EXPECT_EQ(out, demoVerdict(2, {true, 100, app.levelTime, 0.0f, ""}) + "\n");

  Demo cut = demo;
  cut.passes.pop_back();
  EXPECT_EQ(verify(formatDemo(cut)), 1);

  Demo late = demo;
  late.passes[1].keys = late.passes[0].keys;
  late.passes[0].keys.clear();
  EXPECT_EQ(verify(formatDemo(late)), 1);
  EXPECT_EQ(out.rfind("level 2: not won after ", 0), 0u) << out;
}

TEST_F(DemoVerifier, AKeyTappedWithinOnePassIsRecordedAndReplayedAsOnePress) {
  playLevel({"#########", "#P.....C#", "#########"}, 2);
  Demo demo;
  {
    ScriptedRecorder recorder(app, 2, {{3, {{KEY_SPACE, true}, {KEY_SPACE, false}}}}, 10);
    app.run();
    demo = recorder.demo;
  }
  EXPECT_EQ(app.player->bubbles, app.bubbleLimit - 1);
  EXPECT_NE(formatDemo(demo).find(" +SPACE -SPACE\n"), std::string::npos) << formatDemo(demo);
  EXPECT_EQ(demo.seed, fixedLevelSeed(2));  // the seed the level was played with

  enterLevel(2);
  {
    DemoPlayer player(app, demo);
    app.run();
  }
  EXPECT_EQ(app.player->bubbles, app.bubbleLimit - 1);
}
