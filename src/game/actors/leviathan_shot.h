#pragma once
#include "game/actors/actor.h"

// The leviathan's glowing orb: homes in on the player for five seconds,
// soaked up by the player's bubble while that is near it.
class LeviathanShot : public Actor {
 public:
  int speed = 0;           // px/s
  float lifeTimer = 5.0f;  // s before it fades
  unsigned char carried = 0;  // soaked up by the player's bubble at least once

  explicit LeviathanShot(int speedPxPerS);
  void step(float dt) override;
};
