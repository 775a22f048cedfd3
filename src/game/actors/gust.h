#pragma once
#include "game/actors/actor.h"

// A spinning gust dropped by the boss bird: falls at a slant and hurts the
// player it reaches. It drifts right when hFlip is set (copied from the
// bird when it drops it), else left.
class Gust : public Actor {
 public:
  int speed = 0;  // px/s on each axis

  explicit Gust(int speedPxPerS);
  void step(float dt) override;
};
