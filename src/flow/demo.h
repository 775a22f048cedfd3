#pragma once
#include <optional>
#include <string>
#include <vector>

// A demo: what the player did in one level, pass by pass of the main loop,
// kept as a small text file:
//
//   ; lines starting with ';' are comments
//   tidewell-demo 1          the format and its version
//   level 7                  the level played
//   seed 123456              the random seed of every entry of the level;
//                            without it, the level's fixed seed
//   0.01                     one pass: its frame time in seconds...
//   0.02 +RIGHT +SPACE       ...after these keys went down (+) or up (-)
//   0.02*35                  35 passes of 0.02 s, keys unchanged after the first
//
// Keys are Allegro scancodes, written by name where they have one here
// (A-Z, 0-9, F1-F12, ESC, TAB, ENTER, SPACE, BACKSPACE, the arrows, the
// shifts, controls and ALT) and as numbers otherwise.

struct KeyChange {
  int code = 0;  // Allegro scancode, 1 .. KEY_MAX - 1
  bool down = false;
};

struct DemoPass {
  float dt = 0.0f;  // seconds, 0 .. 1/15 as the main loop makes them
  std::vector<KeyChange> keys;  // applied before the pass, in order
};

struct Demo {
  int level = 0;
  std::optional<unsigned> seed;
  std::vector<DemoPass> passes;
};

// Reads a demo. False with "line N: reason" in error for anything the game
// could not have written: an unknown version, a level the game lacks, a
// seed out of range, a frame time out of range or not a plain decimal, an
// unknown key, too many passes or over 660 s of play in all, a NUL byte.
bool parseDemo(const std::string& text, Demo& demo, std::string& error);
// The demo as text; a run of equal passes after the first without key
// changes folds into one "dt*count" line. parseDemo reads it back exactly.
std::string formatDemo(const Demo& demo);

// The demo's name for a scancode, and the scancode of a name or number
// (-1 for neither).
std::string demoKeyName(int code);
int demoKeyCode(const std::string& name);
