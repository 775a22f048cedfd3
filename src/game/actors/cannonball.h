#pragma once
#include "game/actors/actor.h"

class Sprite;

// A cannon's ball: fired left to the first wall, hurting the player on the
// way and knocking the first solid actor it meets. Owned by its cannon; in
// play only between fire and landing.
class Cannonball : public Actor {
 public:
  Cannonball();
  // Takes the ball off the screen if it is still flying.
  ~Cannonball() override;

  // Flying, or hanging in a bubble: the cannon waits until it is neither.
  bool inPlay() const { return visible || trapTimer > 0.0f; }
  // Sends the ball from the muzzle of the cannon standing at (cannonX,
  // cannonY) to the first wall on its left, flashing smoke (owned by the
  // cannon) at the muzzle. The cannon plays the shot's sound. Does nothing
  // while the ball is still in play.
  void fire(float cannonX, float cannonY, Sprite& smoke);
  void step(float dt) override;

 private:
  Sprite* smoke = nullptr;
  float trailTimer = 0.0f;  // s since the last trail bubble

  void land();
};
