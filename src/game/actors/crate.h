#pragma once
#include "game/actors/actor.h"

// A wooden crate the fish pushes tile by tile. The explosive kind blows up
// when a cannonball strikes it, hurting whatever is near, the big shark
// included.
class Crate : public Actor {
 public:
  unsigned char explosive = 0;

  Crate();
  // Turns this crate into the explosive kind, with its own art.
  void makeExplosive();
  // Struck by a cannonball: only the explosive kind reacts, by exploding.
  void hit() override;

 private:
  void damageBigShark();
};
