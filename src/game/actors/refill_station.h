#pragma once
#include "engine/particle_system.h"
#include "game/actors/actor.h"

// An invisible spot that sends up a stream of bubbles and fills the
// player's stock back up to the limit when the fish swims close.
class RefillStation : public Actor {
 public:
  ParticleSystem emitter;  // rising bubbles, on screen layer 3
  float emitTimer = 0.0f;  // s since the last bubble

  RefillStation();
  // Takes the emitter off the screen.
  ~RefillStation() override;

  // Puts the emitter on screen layer 3.
  void onAdded() override;
  void step(float dt) override;
};
