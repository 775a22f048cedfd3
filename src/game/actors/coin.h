#pragma once
#include "game/actors/actor.h"

// A spinning coin that sinks for two seconds and fades away unless the fish
// takes it. A bubble does not hold a coin: it carries it to the fish.
class Coin : public Actor {
 public:
  float fadeTimer = 2.0f;  // seconds before it starts to fade
  int fallSpeed = 50;      // px/s

  Coin();
  void step(float dt) override;

 private:
  void pullToPlayer();
};
