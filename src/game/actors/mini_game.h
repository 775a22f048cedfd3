#pragma once
#include "game/actors/actor.h"

// What the four mini-game controllers share: once won, the fish is locked
// in place and paid its coins one by one from the level's first chest,
// then the chest itself is sent to it, which ends the level.
class MiniGame : public Actor {
 public:
  // How a controller pays: coin and chest speeds in px/s, the height above
  // the fish the coins aim at, and whether the timer restarts at 0 rather
  // than keeping what it overshot.
  struct Payout {
    float coinSpeed;
    float coinAimAbovePx;
    float chestSpeed;
    bool timerRestartsAtZero;
  };

  unsigned char won = 0;
  int coinsOwed = 0;         // coins still to pay out
  float payoutTimer = 0.0f;  // s since the last coin

 protected:
  explicit MiniGame(int coins) : coinsOwed(coins) {}
  // Call every unpaused frame; does nothing until won.
  void payOut(float dt, const Payout& how);

 private:
  void payCoin(const Payout& how);
};
