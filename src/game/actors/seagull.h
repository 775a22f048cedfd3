#pragma once
#include "game/actors/actor.h"

// A seagull strutting along its ledge. When the fish swims below it, it
// flaps, screeches and dives to the bottom of its column, then climbs back.
class Seagull : public Actor {
 public:
  unsigned char diving = 0;     // from the first flap to the bottom
  unsigned char returning = 0;  // climbing back to the ledge
  float diveTimer = 0.5f;       // seconds of flapping before the plunge
  float startY = 0.0f;          // the ledge height it climbs back to
  float diveY = 0.0f;           // the bottom of the dive

  Seagull();
  void step(float dt) override;

 private:
  void walk();
  void spot();
  void plunge();
  void climb();
  void walkOn();
  // The first solid row below the gull in its own column.
  int columnFloor() const;
  void useArt(int subDatafile);

  bool striding = false;  // a walk to the next wall is under way
};
