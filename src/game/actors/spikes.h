#pragma once
#include "game/actors/actor.h"

// A bed of steel spikes on the floor, or hanging from the ceiling when
// flipped upside down. Any fish sharing its tile is done for.
class Spikes : public Actor {
 public:
  Spikes();
  void step(float dt) override;
  // The ceiling variant: flipped and raised to hang from the tile above.
  void hang();
};
