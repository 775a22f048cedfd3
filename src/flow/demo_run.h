#pragma once
#include <string>

// The two demo runs of the command line. Both play in a scratch folder
// (see ScratchFolder), so the level is played as a fresh profile plays it
// (default keys, nothing bought, an 800 x 600 screen) and no settings,
// volume or profile file of the player's is read or written.

// Demos play the baked game of the working directory, the game folder:
// false, with a message under the program's name, anywhere else.
bool inGameFolder(const char* program);

// --record-demo FILE --level N: plays level N in a window with sound and,
// once the level is won or left or the window closes, writes what the
// player did to path and prints the verdict line. The exit status: 0 once
// the demo is written.
int recordDemo(const std::string& path, int level);

// --verify-demo FILE: plays the demo through the game with no window and no
// audio device at the demo's frame times, and prints exactly one line, the
// verdict. The exit status: 0 only when the level was won and the game
// reported no error; 1 otherwise; 2 when the file cannot be read.
int verifyDemo(const std::string& path);
