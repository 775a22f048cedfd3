#include "game/treasure.h"

namespace {

const int kDepthBias = -400;     // behind the creatures
const int kChestDropPx = 25;     // chests sit on the floor of their tile

}  // namespace

Treasure::Treasure(int kind, int x, int y) {
  datafile.open("treasure.dat");
  anchor = 1;
  depthBias = kDepthBias;
  frame = static_cast<float>(kind);
  cameraOffsetY = kind == 0 ? kChestDropPx : 0;
  setPosition(x, y);
}
