// The game in a real window (the X display in DISPLAY, 800 x 600 at the
// game's depth): the CPU of one frame of the gauntlet played flat out, the
// upload to the window included, and how many frames a second the main loop
// delivers under "maxfps" 60, counted over 30 seconds.
#include <allegro.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/log.h"
#include "engine/pass_driver.h"
#include "engine/screen.h"
#include "flow/game_app.h"
#include "game/actors/player.h"

namespace {

namespace fs = std::filesystem;

const int kGauntletLevel = 47;
const float kFrameS = 0.016f;
const double kCapSeconds = 30.0;

// A scratch game folder with the baked data and settings of our own.
void enterScratchFolder(int maxFps) {
  fs::path scratch = fs::temp_directory_path() / ("tidewell-window-" + std::to_string(getpid()));
  fs::create_directories(scratch / "profiles");
  const fs::path game = TIDEWELL_GAME_DIR;
  for (const char* item : {"dat", "sfx", "mus", "credits.txt"})
    if (!fs::exists(scratch / item)) fs::create_symlink(game / item, scratch / item);
  fs::current_path(scratch);
  std::ofstream("settings.cfg") << "resx 800\nresy 600\nfullscreen 0\nmaxfps " << maxFps << "\n";
}

// One game a process, opened on the first call: Allegro starts only once.
// Run one benchmark of this file per process (--benchmark_filter).
GameApp* openGame(benchmark::State& state, int maxFps) {
  static GameApp* opened = nullptr;
  if (opened) return opened;
  if (!std::getenv("DISPLAY")) {
    state.SkipWithError("no X display");
    return nullptr;
  }
  enterScratchFolder(maxFps);
  auto* app = new GameApp;
  setFatalMode(false);
  app->skipFades = true;
  app->launchLevel = kGauntletLevel;
  app->init();
  if (!app->ready()) {
    state.SkipWithError("no window");
    return nullptr;
  }
  app->currentLevel = kGauntletLevel;
  app->switchState("inGame");
  app->player->miniGameLock = 1;  // no restarts in the middle of the measure
  app->paused = 0;
  opened = app;
  return app;
}

void BM_WindowedGauntletFrame(benchmark::State& state) {
  GameApp* app = openGame(state, 0);
  if (!app) return;
  app->screen->waterEffect = true;
  for (auto _ : state) {
    app->update(kFrameS);
    app->endFrame();
    app->drawBackground();
    app->screen->present();
    app->drawOverlay();
    app->screen->flip();
  }
  // The window closes with the process: Allegro's exit handler takes it.
}
BENCHMARK(BM_WindowedGauntletFrame)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

// Ends the main loop after a fixed stretch of wall time, counting passes.
class Stopwatch : public PassDriver {
 public:
  long passes = 0;
  bool beginPass(float&) override {
    if (passes == 0) start = std::chrono::steady_clock::now();
    return seconds() < kCapSeconds;
  }
  void endPass() override { ++passes; }
  double seconds() const {
    if (passes == 0) return 0.0;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }

 private:
  std::chrono::steady_clock::time_point start;
};

void BM_WindowedFrameCap60(benchmark::State& state) {
  GameApp* app = openGame(state, 60);
  if (!app) return;
  Stopwatch stopwatch;
  app->passDriver = &stopwatch;
  for (auto _ : state) app->run();
  app->passDriver = nullptr;
  state.counters["fps"] = stopwatch.passes / stopwatch.seconds();
}
BENCHMARK(BM_WindowedFrameCap60)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace
