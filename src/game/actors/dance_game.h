#pragma once
#include <string>
#include <utility>
#include <vector>

#include "engine/interpolator.h"
#include "game/actors/mini_game.h"

// Level 1002: the dancing fish shows four moves in one bar and the player
// repeats them on the arrow keys in the next; a good score wins coins, a
// score below zero kills.
class DanceGame : public MiniGame {
 public:
  enum Phase { kWatch, kRepeat };
  // Direction codes: 0 left, 1 right, 2 up, 3 down.
  std::vector<std::pair<int, int>> moves;  // (direction, beat 0-39)
  int currentMove = 0;
  int lastJudged = -100;  // -100: none judged in this bar
  float beatPosition = 0.0f;  // 0-40 over one two-second bar, for ever
  Interpolator beatTween;     // drives beatPosition
  Phase phase = kWatch;
  float score = 10.0f;
  int barCounter = 0;
  int lastBeatWindow = -1;  // the beat window whose sound was started
  std::string message;
  unsigned char phaseSwitched = 0;  // once per bar
  unsigned char tooEarly = 0;

  DanceGame();
  // Forgets itself on the game object.
  ~DanceGame() override;
  // Stands at home and puts the level's chest out.
  void onAdded() override;
  void step(float dt) override;
  // The message and the score bar over the fish.
  void draw(BITMAP* target) override;
  // The player pressed an arrow (direction code) while repeating.
  void judge(int direction);

 private:
  void playBeatSounds();
  void playDanceSample(const std::string& name);
  void performMoves();
  void scoreMisses();
  void switchPhase();
  void drawMoves();
  void checkEnd();
  void drawScoreBar(BITMAP* target);
};
