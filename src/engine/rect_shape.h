#pragma once
#include "engine/drawable.h"

// A filled rectangle, optionally outlined; anchor 0 top-left at (x, y),
// anchor 1 centred. Always opaque.
class RectShape : public Drawable {
 public:
  int width = 0, height = 0;
  bool bordered = false;
  int fillColour = 0;
  int borderColour = 0;

  void draw(BITMAP* target) override;
};
