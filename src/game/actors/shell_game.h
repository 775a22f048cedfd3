#pragma once
#include "game/actors/mini_game.h"

class TextLabel;

// Level 1000: the chest sinks under the middle shell, the shells swap
// twelve times, ever faster, and the fish picks one by touching it.
class ShellGame : public MiniGame {
 public:
  Actor* shells[3] = {nullptr, nullptr, nullptr};  // owned by the level's state
  float shuffleSpeed = 200.0f;                     // px/s of the next swap
  unsigned char intro = 0, shuffling = 0, pick = 0;
  float startX = 0.0f, startY = 0.0f;  // the fish is held here until the pick
  TextLabel* message = nullptr;        // owned by the level's state

  ShellGame();
  // Sets out the shells, the message and the sinking chest.
  void onAdded() override;
  void step(float dt) override;

 private:
  void holdPlayer();
  void endIntroWhenSunk();
  void shuffle();
  void swapTwoShells();
  void pickShells();
  void choose(int shell);
};
