#pragma once
#include <string>
#include <vector>

#include "flow/demo.h"

// A kept run: a profile's best win of one level, kept as a demo so that it
// can be replayed exactly, with what the ghost and the map need from it.
// The file is a demo whose comment lines carry the rest, so the demo reader
// (and the verifier) read it as they read any demo:
//
//   ; tidewell-run 1 bubbles 3 coins 25 rating 100 time 42.37
//   ; chests 3.1 8.22 12.5        level time at each chest taken, in order
//   ; fish 0.05 412 300 3 1 0     level time, x, y, frame, facing right, hopping
//   tidewell-demo 1 ...           the demo itself

// The fish as the run saw it at one moment of level time.
struct GhostSample {
  float time = 0.0f;  // level time, seconds
  float x = 0.0f, y = 0.0f;
  int frame = 0;
  bool flip = false;  // facing right
  bool hop = false;   // drawn from the hopping pictures, not the swimming ones
};

struct KeptRun {
  Demo demo;
  int startBubbles = 3;  // the bubble limit the level was entered with
  int startCoins = 25;   // the purse it was entered with (the shop spends it)
  int rating = 0;        // percent, as won
  float time = 0.0f;     // the level clock at the win, seconds
  std::vector<float> chestTimes;
  std::vector<GhostSample> track;
};

// Level time between two samples of the fish's track, seconds.
const float kGhostSampleS = 0.05f;

std::string formatRun(const KeptRun& run);
// False with a reason for a file the game could not have written: a bad
// demo, a missing or second "tidewell-run" line, values out of range, times
// going backwards.
bool parseRun(const std::string& text, KeptRun& run, std::string& error);

// "profiles/<name>.runs", and the run of one level in it ("07.demo").
std::string runFolderFor(const std::string& profile);
std::string runPathFor(const std::string& profile, int level);

// "-1.24 s" when the player is ahead of the ghost, "+0.50 s" when behind.
std::string chestDifferenceText(float playerMinusGhostS);
