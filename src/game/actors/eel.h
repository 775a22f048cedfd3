#pragma once
#include "engine/sprite.h"
#include "game/actors/actor.h"

// An electric eel patrolling its row. Every four seconds it stops, turns
// about and charges: it glows and crackles, no bubble can hold it, and its
// whole body shocks.
class Eel : public Actor {
 public:
  Sprite charge;                 // the electric glow
  unsigned char charging = 0;
  float chargeTimer = 4.0f;      // seconds to the next charge
  int patrolDirection = 0;       // the next patrol slide: 0 left, 1 right

  Eel();
  void step(float dt) override;
  void draw(BITMAP* target) override;

 private:
  void patrol(float dt);
  void startCharge();
  void endCharge();
  void shock();
};
