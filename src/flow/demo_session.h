#pragma once
#include <string>
#include <vector>

#include "engine/pass_driver.h"
#include "flow/demo.h"

class GameApp;

// The seed a demo's level is played with: its own, or the level's fixed one.
unsigned demoSeed(const Demo& demo);

// What became of a demo's level.
struct DemoOutcome {
  bool won = false;
  int rating = 0;           // percent, once won
  float levelTime = 0.0f;   // the level's own clock at the win, seconds
  float playedTime = 0.0f;  // the frame times of every pass played, seconds
  std::string loadProblem;  // why the level could not be loaded; empty when it was
};

// "level N: won, rating R%, time T s", "level N: not won after T s" or
// "level N: could not load the level - reason".
std::string demoVerdict(int level, const DemoOutcome& outcome);

// Follows one level through the game's main loop and ends the loop when
// the level is won (before anything is saved) or left (the map, the
// title). Hooks itself into the game for its lifetime; meanwhile the game
// reads the keys from their events only, starting with every key up, so
// that a key changes only as a pass starts.
class DemoSession : public PassDriver {
 public:
  DemoSession(GameApp& app, int level);
  ~DemoSession() override;
  DemoSession(const DemoSession&) = delete;
  DemoSession& operator=(const DemoSession&) = delete;

  void endPass() override;
  const DemoOutcome& outcome() const { return result; }

 protected:
  GameApp& app;
  const int level;
  DemoOutcome result;

 private:
  bool onLevelWon(int rating);
};

// Writes down the frame time and the key events of every pass as the
// player plays, with the game's level seed: the events the pass took, so
// that a key pressed and let go within one pass is written as a press and
// a release.
class DemoRecorder : public DemoSession {
 public:
  DemoRecorder(GameApp& app, int level);
  bool beginPass(float& dt) override;
  void endPass() override;

  Demo demo;
};

// Plays a demo's passes: each pass's key changes are reported as the
// keyboard would report them and its frame time replaces the timer's. The
// loop ends with the last pass. The game must have entered the level with
// the demo's seed (demoSeed).
class DemoPlayer : public DemoSession {
 public:
  DemoPlayer(GameApp& app, const Demo& demo);
  bool beginPass(float& dt) override;

 private:
  const Demo& demo;
  size_t next = 0;
};
