#pragma once
#include <memory>

#include "engine/sprite.h"
#include "game/actors/actor.h"
#include "game/actors/cannonball.h"

// A pirate cannon that fires a ball along its row to the left, two seconds
// after the last ball has gone, with a puff of smoke at the muzzle.
class Cannon : public Actor {
 public:
  std::unique_ptr<Cannonball> cannonball;
  Sprite smoke;
  float fireTimer = 2.0f;  // seconds to the next shot

  Cannon();
  // Takes a ball still in play out of the level, and its smoke off screen.
  ~Cannon() override;
  void step(float dt) override;
};
