#include <allegro.h>

#include <cstdio>
#include <string>

#include "engine/game_paths.h"
#include "engine/log.h"
#include "flow/demo_run.h"
#include "flow/game_app.h"
#include "flow/launch_options.h"
#include "flow/run_records.h"

int main(int argc, char** argv) {
  LaunchOptions options;
  std::string error;
  if (!parseLaunchOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "tidewell: %s\n", error.c_str());
    return 2;
  }
  // Before anything is read or logged: every file's folder follows from it.
  gamePaths() = choosePaths(processClues(options.dataDir, options.userDir));
  if (!options.verifyDemo.empty()) return verifyDemo(options.verifyDemo);
  if (!options.recordDemo.empty()) return recordDemo(options.recordDemo, options.level);
  // A folder that cannot be made only costs the saves, which report it.
  if (!makePlayerFolders(gamePaths(), error)) std::fprintf(stderr, "tidewell: %s\n", error.c_str());
  GameApp app;
  app.runs->verifier = runningProgram();  // the game verifies its kept runs itself
  app.launchLevel = options.level;
  app.init();
  // Without a display the loop would draw into missing buffers; in the game
  // an error ends the process with the fatal message.
  if (!app.ready()) log("Could not start the display", true);
  if (app.ready()) app.start();
  app.shutdown();
  return 0;
}
END_OF_MAIN()
