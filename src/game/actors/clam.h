#pragma once
#include "game/actors/actor.h"

class Treasure;

// A giant clam that opens and shuts every two seconds over the pearl the
// level gave it; it snaps at the fish while its shell is moving.
class Clam : public Actor {
 public:
  Treasure* pearl = nullptr;  // owned by the level's treasure list
  unsigned char isOpen = 0;
  float toggleTimer = 2.0f;   // seconds to the next toggle

  Clam();
  void step(float dt) override;
  // Takes the pearl it guards; a shut clam hides it.
  void holdPearl(Treasure* heldPearl);

 private:
  void toggle();
  void open();
  void close();
};
