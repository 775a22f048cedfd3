#pragma once
#include <string>

// What the command line asks of this run.
struct LaunchOptions {
  int level = -1;  // -1: the usual start through the logo and the title
};

// Reads "--level N" (N = 0-49 or 1000-1003). False with a message for the
// player on anything else.
bool parseLaunchOptions(int argc, char** argv, LaunchOptions& options, std::string& error);
