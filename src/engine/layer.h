#pragma once
#include <vector>

class Drawable;

// One depth band of the screen. Holds drawables without owning them, kept
// sorted by sort key with insertion order breaking ties.
struct Layer {
  std::vector<Drawable*> drawables;
  bool followsCamera = true;  // scrolled after the camera target, culls
  int offsetX = 0, offsetY = 0;

  // Stable in-place bubble sort by sort key; cheap when little moved.
  void sortDrawables();
};
