#pragma once
#include "game/actors/actor.h"
#include "game/vector2.h"

// A spinning blot of ink thrown at where the player was: flies straight on
// for three seconds and hurts the player it touches.
class InkBlot : public Actor {
 public:
  Vector2 aimPoint;   // level px, the player's position at the throw
  Vector2 direction;  // unit vector
  float lifeTimer = 3.0f;  // s of flight left

  InkBlot(float targetX, float targetY);

  // Once, after the thrower has placed it: points it at aimPoint and starts
  // it 80 px on its way.
  void aim();
  void step(float dt) override;
};
