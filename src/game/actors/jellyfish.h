#pragma once
#include "engine/sprite.h"
#include "game/actors/actor.h"
#include "game/actors/bob.h"

// A glowing jellyfish that drifts up and down between whatever lies above
// and below it. It stings even from inside a bubble.
class Jellyfish : public Actor {
 public:
  unsigned char goingUp = 1;
  int speed = 40;  // px/s
  Bob bob;
  Sprite glow;     // drawn additively behind the bell, pulsing

  Jellyfish();
  void step(float dt) override;
  void draw(BITMAP* target) override;

 private:
  void drift(float dt);
  // Something other than open water at (px, py).
  static bool occupied(float px, float py);
};
