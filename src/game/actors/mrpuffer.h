#pragma once
#include "game/actors/actor.h"

// Mr Puffer minds his own business until the fish comes near; then he puffs
// up into a spiky ball and stays that way until the fish is well away.
class Mrpuffer : public Actor {
 public:
  unsigned char armed = 0;
  unsigned char deflating = 0;

  Mrpuffer();
  void step(float dt) override;

 private:
  bool growing() const { return !armed && frame == kPuffedFrame; }
  void puffUp();
  void deflate();
  // Small again and harmless.
  void settle();

  static const int kPuffedFrame = 1;
};
