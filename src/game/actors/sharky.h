#pragma once
#include "game/actors/actor.h"

// The shark of the chase levels: always bearing down on the fish, never
// overshooting him, and no bubble can stop it. The fish swims faster while
// it hunts him.
class Sharky : public Actor {
 public:
  int speed = 500;  // px/s across; half of it up and down

  Sharky();
  void step(float dt) override;

 private:
  // Moves from towards to by at most maxStep, never past it.
  static float approach(float from, float to, float maxStep);
};
