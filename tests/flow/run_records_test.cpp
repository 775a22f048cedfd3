// Kept runs: the file, keeping a better win (verified by the built game),
// the ghost and its chest times, the map's record line and watching a run.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "engine/log.h"
#include "engine/screen.h"
#include "flow/ghost_fish.h"
#include "flow/record_watch.h"
#include "flow/run_file.h"
#include "flow/run_records.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace {

std::string runError(const std::string& text) {
  KeptRun run;
  std::string error;
  return parseRun(text, run, error) ? "" : error;
}

KeptRun sampleRun() {
  KeptRun run;
  run.demo.level = 4;
  run.demo.seed = 99;
  run.demo.passes = {{0.02f, {{KEY_RIGHT, true}}}, {0.02f, {}}, {0.01f, {{KEY_RIGHT, false}}}};
  run.startBubbles = 5;
  run.startCoins = 120;
  run.rating = 66;
  run.time = 0.05f;
  run.chestTimes = {0.03f};
  run.track = {{0.0f, 120.0f, 120.0f, 2, true, false}, {0.05f, 131.5f, 120.0f, 3, false, true}};
  return run;
}

}  // namespace

TEST(RunFile, ReadsBackWhatItWritesAndRefusesDamagedOrForeignFiles) {
  KeptRun run = sampleRun(), back;
  std::string error;
  std::string text = formatRun(run);
  ASSERT_TRUE(parseRun(text, back, error)) << error;
  EXPECT_EQ(formatRun(back), text);
  EXPECT_EQ(back.time, run.time);
  EXPECT_EQ(back.track[1].x, 131.5f);
  // A kept run is a demo the verifier reads as any other.
  Demo demo;
  ASSERT_TRUE(parseDemo(text, demo, error)) << error;
  EXPECT_EQ(formatDemo(demo), formatDemo(run.demo));

  EXPECT_NE(runError(formatDemo(run.demo)), "");  // a plain demo is no kept run
  std::string head = "; tidewell-run 1 bubbles 5 coins 120 rating 66 time 0.05\n";
  std::string demoText = formatDemo(run.demo);
  EXPECT_EQ(runError(head + demoText), "");
  for (const char* damage : {"; tidewell-run 2 bubbles 5 coins 120 rating 66 time 0.05\n",
                             "; tidewell-run 1 bubbles 0 coins 120 rating 66 time 0.05\n",
                             "; tidewell-run 1 bubbles 5 coins 120 rating 101 time 0.05\n",
                             "; tidewell-run 1 bubbles 5 coins 120 rating 66 time nan\n",
                             "; tidewell-run 1 bubbles 5 coins 120 rating 66\n"})
    EXPECT_NE(runError(damage + demoText), "") << damage;
  for (const char* damage : {"; fish 0.1 1 1 1 1 0\n; fish 0.05 1 1 1 1 0\n", "; fish 0.1 1 1 1 2 0\n",
                             "; fish 0.1 1e30 1 1 1 0\n", "; fish 0.1 1 1 1 1\n", "; chests 2 1\n",
                             "; tidewell-run 1 bubbles 5 coins 120 rating 66 time 0.05\n"})
    EXPECT_NE(runError(head + damage + demoText), "") << damage;
  EXPECT_NE(runError(head + demoText + "0.02 +NOKEY\n"), "");  // the demo reader's strictness holds

  EXPECT_EQ(chestDifferenceText(-1.2449f), "-1.24 s");
  EXPECT_EQ(chestDifferenceText(0.5f), "+0.50 s");
  EXPECT_EQ(chestDifferenceText(-0.001f), "+0.00 s");  // no "-0.00"
  EXPECT_EQ(runPathFor("gulpy", 7), "profiles/gulpy.runs/07.demo");
}

class KeptRuns : public LevelFixture {
 protected:
  void SetUp() override {
    LevelFixture::SetUp();
    fs::create_directories("tmp");  // the verifier's scratch folders
    setenv("TMPDIR", (testsupport::workDir() + "/tmp").c_str(), 1);
    app.runs->verifier = testsupport::gameDir() + "/tidewell";
  }

  // Waits, then swims right until the level is won; the level time of the win.
  float winAfter(float waitS, int level) {
    enterLevel(level);
    run(waitS);
    hold(KEY_RIGHT);
    for (int pass = 0; pass < 1000 && app.currentLevel == level; ++pass) step();
    letGo(KEY_RIGHT);
    EXPECT_EQ(app.currentLevel, level + 1) << "not won";
    float time = lastWinTime;
    app.runs->settle();
    return time;
  }

  std::string keptText(int level) {
    std::string path = runPathFor(app.currentProfile, level);
    return fs::exists(path) ? testsupport::readFile(path) : "";
  }

  float lastWinTime = 0.0f;
};

TEST_F(KeptRuns, ABetterWinIsVerifiedAndKeptASlowerOneLeavesItAndTheKeptRunWatchesToAWin) {
  playLevel({"#########", "#P....C.#", "#########"}, 2);
  app.levelWonHook = [this](int) {
    lastWinTime = app.levelTime;
    return false;
  };
  float first = winAfter(0.5f, 2);
  std::string kept = keptText(2);
  ASSERT_NE(kept, "") << "the first win keeps its run";
  ASSERT_TRUE(app.runs->record(2));
  EXPECT_EQ(app.runs->record(2)->time, first);
  EXPECT_EQ(app.runs->record(2)->rating, 100);

  EXPECT_GT(winAfter(1.0f, 2), first);
  EXPECT_EQ(keptText(2), kept) << "a slower win leaves the kept run";

  float faster = winAfter(0.0f, 2);
  ASSERT_LT(faster, first);
  EXPECT_NE(keptText(2), kept) << "a faster win replaces it";
  EXPECT_EQ(app.runs->record(2)->time, faster);
  EXPECT_TRUE(fs::directory_iterator("profiles/gulpy.runs") != fs::directory_iterator());
  for (const auto& entry : fs::directory_iterator("profiles/gulpy.runs"))
    EXPECT_EQ(entry.path().filename(), "02.demo") << "no candidate or verdict left behind";

  // Watching replays it to the win; nothing of it is saved.
  std::string progress = testsupport::readFile("profiles/gulpy.dat");
  int coins = app.coins;
  app.levelWonHook = nullptr;
  ASSERT_TRUE(app.runs->watch(2));
  RecordWatch* watch = app.runs->watched();
  bool wonInWatch = false;
  for (int pass = 0; pass < 2000 && app.runs->watched(); ++pass) {
    float dt = 0.01f;
    watch->beginPass(dt);
    step(dt);
    if (app.runs->watched()) {
      watch->endPass();
      if (watch->over()) wonInWatch = app.levelWon != 0;
    }
  }
  EXPECT_TRUE(wonInWatch);
  EXPECT_EQ(top(), "levelSelect");
  EXPECT_EQ(app.coins, coins);
  EXPECT_EQ(testsupport::readFile("profiles/gulpy.dat"), progress);
  EXPECT_TRUE(fs::exists(runPathFor("gulpy", 2))) << "watching happened in a scratch folder";

  // Escape on the keyboard leaves at once; the run's own keys go on
  // reaching the game through their events only.
  ASSERT_TRUE(app.runs->watch(2));
  watch = app.runs->watched();
  for (int pass = 0; pass < 5; ++pass) {
    float dt = 0.01f;
    watch->beginPass(dt);
    step(dt);
    watch->endPass();
  }
  EXPECT_EQ(top(), "inGame");
  keyboard_lowlevel_callback(KEY_ESC);
  for (int pass = 0; pass < 3 && app.runs->watched(); ++pass) {
    float dt = 0.01f;
    watch->beginPass(dt);
    step(dt);
  }
  EXPECT_FALSE(app.runs->watched());
  EXPECT_EQ(top(), "levelSelect");

  // A deleted profile takes its runs along.
  app.createProfile("other");
  key[KEY_Y] = 1;
  app.deleteProfile("gulpy");
  key[KEY_Y] = 0;
  EXPECT_FALSE(fs::exists("profiles/gulpy.runs"));
}

namespace {

// Keeps a picture for a person to look at when TIDEWELL_PICTURES names a folder.
void keepPicture(BITMAP* picture, const std::string& name) {
  if (const char* folder = std::getenv("TIDEWELL_PICTURES"))
    save_bitmap((std::string(folder) + "/" + name + ".bmp").c_str(), picture, nullptr);
}

// Pixels that differ between two pictures of one size, and their centre.
int differences(BITMAP* a, BITMAP* b, int& centreX, int& centreY) {
  long count = 0, sumX = 0, sumY = 0;
  for (int y = 0; y < a->h; ++y)
    for (int x = 0; x < a->w; ++x)
      if (getpixel(a, x, y) != getpixel(b, x, y)) {
        count += 1;
        sumX += x;
        sumY += y;
      }
  centreX = count ? static_cast<int>(sumX / count) : -1;
  centreY = count ? static_cast<int>(sumY / count) : -1;
  return static_cast<int>(count);
}

float trackX(const KeptRun& run, float t) {
  const std::vector<GhostSample>& track = run.track;
  for (size_t i = 0; i + 1 < track.size(); ++i)
    if (track[i + 1].time > t)
      return track[i].x + (track[i + 1].x - track[i].x) * (t - track[i].time) / (track[i + 1].time - track[i].time);
  return track.back().x;
}

}  // namespace

TEST_F(KeptRuns, TheGhostSwimsTheKeptRunAndTheBarShowsTheGapAtEachChest) {
  playLevel({"############", "#P..C....C.#", "############"}, 2);
  winAfter(0.0f, 2);
  KeptRun kept;
  ASSERT_TRUE(app.runs->load(2, kept));
  ASSERT_EQ(kept.chestTimes.size(), 2u);

  enterLevel(2);
  ASSERT_TRUE(app.runs->ghost);
  run(0.6f);  // the player waits at the start; the ghost swims on
  GhostFish* ghost = app.runs->ghost;
  EXPECT_NEAR(ghost->x, trackX(kept, app.levelTime), 0.5f);
  EXPECT_GT(ghost->x, app.player->x + 40.0f);
  BITMAP* buffer = app.screen->backBuffer;
  BITMAP* withGhost = create_bitmap(buffer->w, buffer->h);
  draw();
  blit(buffer, withGhost, 0, 0, 0, 0, buffer->w, buffer->h);
  keepPicture(withGhost, "ghost");
  ghost->visible = false;
  draw();
  int centreX = 0, centreY = 0;
  EXPECT_GT(differences(withGhost, buffer, centreX, centreY), 200) << "the ghost is drawn";
  const Layer& actors = app.screen->layers[2];
  EXPECT_NEAR(centreX, ghost->x + actors.offsetX, 12.0f);
  EXPECT_NEAR(centreY, ghost->y + actors.offsetY, 12.0f);

  hold(KEY_RIGHT);
  for (int pass = 0; pass < 500 && app.runs->chestDifferenceShownS == 0.0f; ++pass) step();
  EXPECT_NEAR(app.runs->chestDifference, 0.6f, 0.02f) << "behind by the wait";
  draw();
  blit(buffer, withGhost, 0, 0, 0, 0, buffer->w, buffer->h);
  keepPicture(withGhost, "chest_gap");
  app.runs->chestDifferenceShownS = 0.0f;
  draw();
  int hud = app.hudBottom();
  EXPECT_GT(differences(withGhost, buffer, centreX, centreY), 50) << "the gap is written";
  EXPECT_GT(centreY, hud);
  EXPECT_LT(centreY, hud + 40);
  destroy_bitmap(withGhost);
  letGo(KEY_RIGHT);

  app.settings["ghost"] = 0.0f;  // the option off
  enterLevel(2);
  EXPECT_FALSE(app.runs->ghost);
  app.settings["ghost"] = 1.0f;
  enterLevel(6);  // no kept run
  EXPECT_FALSE(app.runs->ghost);
}

TEST_F(KeptRuns, TheMapLineShowsTheRecordAndADamagedRunIsIgnoredWithALogLine) {
  KeptRun run = sampleRun();
  run.demo.level = 0;
  run.time = 42.37f;
  run.rating = 100;
  fs::create_directories(runFolderFor("gulpy"));
  app.levelsBeaten = 0;
  app.ratings[0] = 100;
  app.bestTimes[0] = 42;
  app.switchState("levelSelect");
  step();
  BITMAP* buffer = app.screen->backBuffer;
  BITMAP* plain = create_bitmap(buffer->w, buffer->h);
  draw();
  blit(buffer, plain, 0, 0, 0, 0, buffer->w, buffer->h);

  testsupport::writeFile(runPathFor("gulpy", 0), formatRun(run));
  ASSERT_TRUE(app.runs->record(0));
  draw();
  keepPicture(buffer, "map_record");
  int centreX = 0, centreY = 0;
  EXPECT_GT(differences(plain, buffer, centreX, centreY), 100) << "the record is written";
  EXPECT_GT(centreY, buffer->h - 110);  // on the band just above the map's line
  EXPECT_LT(centreY, buffer->h - 70);

  testsupport::writeFile(runPathFor("gulpy", 0), formatRun(run).substr(0, 40));
  KeptRun damaged;
  EXPECT_FALSE(app.runs->load(0, damaged));
  EXPECT_FALSE(app.runs->record(0));
  int logged = 0;
  for (const std::string& line : testsupport::logLines()) logged += line.find("00.demo] - ignored") != std::string::npos;
  EXPECT_EQ(logged, 2) << "once for the load, once as the map read it; not every frame";
  draw();
  destroy_bitmap(plain);
}
