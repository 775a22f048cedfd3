#pragma once
#include <string>

// Put in front of the names of the settings and volume files. Empty in the
// game, so those files are relative to the working directory.
extern std::string baseDirectory;
