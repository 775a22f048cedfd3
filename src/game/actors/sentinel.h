#pragma once
#include "engine/sprite.h"
#include "game/actors/actor.h"

// A stone statue that watches its row on the side it faces and fires a
// laser bolt at the fish when nothing solid stands between them. A bubble
// does not stop it watching.
class Sentinel : public Actor {
 public:
  Sprite beam;
  unsigned char firing = 0;  // a bolt is in flight
  float beamX = 0.0f, beamY = 0.0f;

  Sentinel();
  // Takes a bolt in flight off the screen.
  ~Sentinel() override;
  void step(float dt) override;

  // The art faces right; flipped, the statue watches to the left.
  bool facingLeft() const { return hFlip; }

 private:
  bool seesPlayer() const;
  void fire();
  void moveBeam(float dt);
  // Hurts a fish anywhere in the statue's row that the bolt has reached.
  bool hitFishInRow() const;
  // The bolt's tile is a wall, lies outside the level or holds a crate.
  bool beamBlocked() const;
  void stopBeam();
};
