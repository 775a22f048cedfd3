#pragma once
#include <memory>

#include "engine/sprite.h"
#include "game/actors/actor.h"

// A pirate cannon that fires a ball along its row to the left every two
// seconds once the last ball is gone, with a puff of smoke at the muzzle.
// The ball's flight is its own business; its flight is over when it has
// stopped moving.
class Cannon : public Actor {
 public:
  std::unique_ptr<Actor> cannonball;  // hidden between shots
  Sprite smoke;
  float fireTimer = 2.0f;  // seconds to the next shot

  Cannon();
  // Takes the ball and the smoke off the screen and out of the level.
  ~Cannon() override;
  void step(float dt) override;

 private:
  bool ballInFlight() const { return cannonball->visible; }
  void fire();
  // The column of the first wall left of the cannon on its row.
  int targetWallColumn() const;
  void endFlight();
};
