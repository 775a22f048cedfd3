#pragma once
#include "game/actors/actor.h"
#include "game/actors/bob.h"

// The coin run's dolphin: swims from wall to wall, a row higher at every
// turn, dropping a coin every 0.8 s, and leaves from the second row. Once
// it has gone and the coins left cannot make up the fish's shortfall, the
// run is lost.
class Dolphin : public Actor {
 public:
  unsigned char swimmingRight = 1;
  unsigned char turnPending = 0;  // set during a length: turn at its end
  float coinTimer = 0.8f;         // seconds to the next coin
  Bob bob;

  Dolphin();
  void step(float dt) override;

 private:
  unsigned char failureShown = 0;

  void swim();
  // Turns about and rises a row when the water above is free; false when
  // it must swim on in the same row.
  bool turnAndRise();
  void dropCoinWhenDue(float dt);
  bool leaving() const { return tileY() <= 1; }
  void checkForFailure();
  // Coins on screen that the fish could still catch.
  static int visibleCoins();
};
