#pragma once
#include "engine/sprite.h"

// A chest or a gem lying in a level: frame = kind (0 chest, 1, 2 and 4
// gems). The player takes it by entering its tile; it then fades out.
class Treasure : public Sprite {
 public:
  unsigned char collected = 0;

  // A pickup of kind at the level position (x, y).
  Treasure(int kind, int x, int y);
  int kind() const { return static_cast<int>(frame); }
  bool isChest() const { return kind() == 0; }
};
