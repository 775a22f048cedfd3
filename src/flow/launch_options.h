#pragma once
#include <string>

// What the command line asks of this run.
struct LaunchOptions {
  int level = -1;  // -1: the usual start through the logo and the title
  std::string recordDemo;  // --record-demo FILE: play `level` and write what the player did
  std::string verifyDemo;  // --verify-demo FILE: replay it without a window
  std::string dataDir;     // --data-dir DIR: read the game's data from DIR
  std::string userDir;     // --user-dir DIR: keep settings and player files in DIR
};

// Reads "--level N" (N = 0-49 or 1000-1003), "--record-demo FILE --level N"
// and "--verify-demo FILE", each with "--data-dir DIR" and "--user-dir DIR"
// if wanted. False with a message for the player on anything
// else.
bool parseLaunchOptions(int argc, char** argv, LaunchOptions& options, std::string& error);

// A level the game has: 0-49, or 1000-1003 for the mini-games.
bool isPlayableLevel(long level);
