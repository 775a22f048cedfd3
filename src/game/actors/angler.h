#pragma once
#include "engine/sprite.h"
#include "game/actors/actor.h"

// A deep-sea angler: patrols its row, and once it sees the fish it swims
// straight at him, its lantern glowing ahead of it, until he gets away.
class Angler : public Actor {
 public:
  Sprite lantern;                  // the glow over the bulb, pulsing
  unsigned char chasing = 0;
  int patrolDirection = 0;         // the next patrol slide: 0 left, 1 right

  Angler();
  void step(float dt) override;
  void draw(BITMAP* target) override;

 private:
  void chase(float dt);
  void patrol();
  void startChasing();
  // The chase step, kept out of walls one axis at a time.
  void moveAvoidingWalls(float newX, float newY);
  bool facingRight() const { return hFlip; }
};
