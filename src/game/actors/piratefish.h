#pragma once
#include "game/actors/actor.h"
#include "game/actors/bob.h"

// A pirate fish sailing round its room: left, up, right, down, and again.
// Its sting works from inside a bubble too.
class Piratefish : public Actor {
 public:
  int patrolStep = 0;  // index into left, up, right, down
  Bob bob;

  Piratefish();
  void step(float dt) override;

 private:
  void sailNextSide();
};
