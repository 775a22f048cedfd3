#pragma once
#include <string>
#include <vector>

// A route: how the demo bot plays one level, written by the level's
// designer as a short text file; the bot turns it into a demo.
//
//   ; comment
//   tidewell-route 1
//   level 7
//   go 12 3.5        swim to the centre of cell (12, 3.5); on land walk to
//                    column 12 (jumping onto steps); riding, climb or sink
//                    to row 3.5 until the ride passes column 12
//   hold UP+RIGHT 0.6   hold these keys for 0.6 s
//   wait 1.5         hands off for 1.5 s
//   fire left        face left, then shoot a bubble (left, right, or as faced)
//   end 10           hands off until the level is won, for at most 10 s
//
// Each line is one step, done in order; the level's pauses (the ready-go
// banner, the help screen) do not count against a step's time.
struct RouteStep {
  enum Kind { kGo, kHold, kWait, kFire, kEnd } kind = kWait;
  float x = 0.0f, y = 0.0f;  // go: cell coordinates; y < 0 when not given
  std::vector<int> keys;     // hold: Allegro scancodes
  float seconds = 0.0f;      // hold, wait, end
  int facing = 0;            // fire: -1 left, 1 right, 0 as the fish faces
  int line = 0;              // in the route file, for messages
  std::string text;          // the line as written, for messages
};

struct Route {
  int level = 0;
  std::vector<RouteStep> steps;
};

// False with "line N: reason" in error for a line the bot cannot follow:
// numbers are plain decimals, go cells lie within the largest level
// (300 x 150 cells), hold keys are known names joined by '+'.
bool parseRoute(const std::string& text, Route& route, std::string& error);
