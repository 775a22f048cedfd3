// tidewell-route: plays a level by its route (route.h) through the real
// game with no window and no sound, and writes the keys it pressed as the
// level's demo. Runs in the game folder, touching no player's files.
//
//   tidewell-route ROUTE DEMO [--trace] [--shot FILE.png [--at SECONDS]]
//
// Prints the verdict line as the demo verifier does, and with --trace the
// time and the fish's cell at the start of every step; --shot saves the
// screen at the route's second SECONDS, or where it ended. Exit status 0 only
// when the level was won and the demo written.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/safe_file.h"
#include "flow/demo_run.h"
#include "flow/headless_game.h"
#include "flow/scratch_folder.h"
#include "game/in_game_state.h"
#include "route.h"
#include "route_bot.h"
#include "text_file.h"

namespace {

bool readRoute(const std::string& path, Route& route) {
  std::string text, error;
  if (!bake::readTextFile(path, text)) error = "cannot read it";
  else if (parseRoute(text, route, error)) return true;
  std::fprintf(stderr, "tidewell-route: %s: %s\n", path.c_str(), error.c_str());
  return false;
}

struct Options {
  bool trace = false;
  std::string shot;
  float shotAt = 1e9f;
};

bool readOptions(int argc, char** argv, Options& options) {
  if (argc < 3) return false;
  for (int i = 3; i < argc; ++i) {
    std::string word = argv[i];
    bool valued = (word == "--shot" || word == "--at") && i + 1 < argc;
    if (word == "--trace") options.trace = true;
    else if (!valued) return false;
    else if (word == "--shot") options.shot = argv[++i];
    else options.shotAt = std::strtof(argv[++i], nullptr);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!readOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: tidewell-route ROUTE DEMO [--trace] [--shot FILE.png [--at SECONDS]]\n");
    return 2;
  }
  Route route;
  if (!readRoute(argv[1], route)) return 2;
  std::error_code failure;
  std::string target = std::filesystem::absolute(argv[2], failure).string();
  if (!inGameFolder("tidewell-route")) return 2;
  ScratchFolder scratch;
  if (failure || !scratch.ready()) {
    std::fprintf(stderr, "tidewell-route: %s\n", failure ? failure.message().c_str() : scratch.error().c_str());
    return 2;
  }
  HeadlessGame game;
  game.app.launchLevel = route.level;
  // The demo gets no seed line: it replays with the level's fixed seed.
  game.app.levelSeed = fixedLevelSeed(route.level);
  if (!game.start()) return 2;
  RouteBot bot(game.app, route, options.trace);
  if (!options.shot.empty()) bot.takeShot(std::filesystem::absolute(options.shot).string(), options.shotAt);
  game.app.run();
  bot.saveShot();
  std::printf("%s\n", demoVerdict(route.level, bot.outcome()).c_str());
  if (!bot.outcome().won) {
    std::printf("%s\n", bot.failure.empty() ? "the game left the level" : bot.failure.c_str());
    return 1;
  }
  if (game.errors() > 0 || !writeFileSafely(target, formatDemo(bot.demo))) {
    std::fprintf(stderr, "tidewell-route: no demo written\n");
    return 1;
  }
  return 0;
}
