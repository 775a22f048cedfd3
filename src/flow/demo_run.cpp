#include "flow/demo_run.h"

#include <allegro.h>

#include <cstdio>
#include <filesystem>

#include "engine/game_paths.h"
#include "engine/key_events.h"
#include "engine/safe_file.h"
#include "engine/screen.h"
#include "flow/demo.h"
#include "flow/demo_session.h"
#include "flow/game_app.h"
#include "flow/headless_game.h"
#include "flow/profile_store.h"
#include "flow/run_file.h"
#include "flow/scratch_folder.h"
#include "game/in_game_state.h"

namespace {

const char* const kLevelData = "dat/lvl/levels.dat";

bool readDemo(const std::string& path, Demo& demo, std::string& text) {
  std::string error;
  if (!readTextFile(path, text)) {
    std::fprintf(stderr, "tidewell: cannot read the demo %s\n", path.c_str());
    return false;
  }
  if (!parseDemo(text, demo, error)) {
    std::fprintf(stderr, "tidewell: %s: %s\n", path.c_str(), error.c_str());
    return false;
  }
  return true;
}

// A kept run replays from the purse and bubble limit it was entered with:
// the scratch folder's profile starts with them.
void startAsTheRunDid(const std::string& text) {
  KeptRun run;
  std::string notARun;
  if (!parseRun(text, run, notARun)) return;
  ProfileProgress start;
  start.bubbleLimit = run.startBubbles;
  start.coins = run.startCoins;
  writeProgressFile(progressPathFor(kDefaultProfileName), start);
  writeProfileList("profiles.cfg", {{kDefaultProfileName}, kDefaultProfileName});
}

}  // namespace

bool inGameFolder(const char* program) {
  if (std::filesystem::exists(dataFile(kLevelData))) return true;
  if (gamePaths().data.empty())
    std::fprintf(stderr, "%s: no %s here; run in the game folder\n", program, kLevelData);
  else
    std::fprintf(stderr, "%s: no %s in %s\n", program, kLevelData, gamePaths().data.c_str());
  return false;
}

int verifyDemo(const std::string& path) {
  Demo demo;
  std::string text;
  if (!readDemo(path, demo, text) || !inGameFolder("tidewell")) return 2;
  ScratchFolder scratch;
  if (!scratch.ready()) {
    std::fprintf(stderr, "tidewell: %s\n", scratch.error().c_str());
    return 2;
  }
  startAsTheRunDid(text);
  HeadlessGame game;
  game.app.launchLevel = demo.level;
  game.app.levelSeed = demoSeed(demo);
  if (!game.start()) return 2;
  DemoOutcome outcome;
  {
    DemoPlayer player(game.app, demo);
    game.app.run();
    outcome = player.outcome();
  }
  std::printf("%s\n", demoVerdict(demo.level, outcome).c_str());
  return outcome.won && game.errors() == 0 ? 0 : 1;
}

int recordDemo(const std::string& path, int level) {
  std::error_code failure;
  std::string target = std::filesystem::absolute(path, failure).string();
  if (!inGameFolder("tidewell")) return 1;
  ScratchFolder scratch;
  if (failure || !scratch.ready()) {
    std::fprintf(stderr, "tidewell: %s\n", failure ? failure.message().c_str() : scratch.error().c_str());
    return 1;
  }
  GameApp app;
  app.launchLevel = level;
  app.levelSeed = clockSeed();  // this play's chance, written into the demo
  // The two steps of the game's init, with the keys read from their events
  // from between them: the level is entered with no key down, as its
  // replay enters it, and a key held from before counts from its next press.
  app.Engine::init();
  if (!app.ready()) {
    app.shutdown();
    return 1;
  }
  releaseAllKeyEvents();
  readKeysFromEventsOnly(true);
  app.initGame();
  Demo demo;
  DemoOutcome outcome;
  {
    DemoRecorder recorder(app, level);
    app.start();
    demo = recorder.demo;
    outcome = recorder.outcome();
  }
  app.shutdown();
  if (!writeFileSafely(target, formatDemo(demo))) {
    std::fprintf(stderr, "tidewell: cannot write the demo %s\n", target.c_str());
    return 1;
  }
  std::printf("%s\ndemo of %zu passes written to %s\n", demoVerdict(level, outcome).c_str(), demo.passes.size(),
              target.c_str());
  return 0;
}
