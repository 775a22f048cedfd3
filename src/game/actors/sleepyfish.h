#pragma once
#include "game/actors/actor.h"
#include "game/actors/bob.h"

// A fat fish dozing in its row. Wake it by swimming past on its left and it
// dashes at the fish to the far wall, sulks there, then swims home to sleep.
class Sleepyfish : public Actor {
 public:
  unsigned char awake = 0;
  int homeX = 0;
  float napTimer = 0.0f;  // seconds left sulking at the wall
  Bob bob;

  Sleepyfish();
  void step(float dt) override;

 private:
  bool dashing() const { return untrappable != 0; }
  bool seesPlayerOnLeft() const;
  void wakeAndDash();
  void arriveAtWall();
  void swimHome();
  void fallAsleep();
};
