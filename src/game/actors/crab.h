#pragma once
#include "game/actors/actor.h"

// A crab that scuttles to the far end of its floor, rests two seconds, and
// scuttles back. Its claws still pinch from inside a bubble.
class Crab : public Actor {
 public:
  unsigned char walkingLeft = 1;
  float waitTimer = 2.0f;  // seconds of rest before the next walk

  Crab();
  void step(float dt) override;

 private:
  void walk();
  // The farthest free tile with solid floor under it, going left or right
  // from the crab's own tile along its row.
  int walkTargetColumn() const;
};
