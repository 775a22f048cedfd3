#include "engine/rect_shape.h"

#include <allegro.h>

void RectShape::draw(BITMAP* target) {
  if (!visible) return;
  int ix = static_cast<int>(x), iy = static_cast<int>(y);
  int x1, y1, x2, y2;
  if (anchor == 0) {
    x1 = ix;
    y1 = iy;
    x2 = ix + width - 1;
    y2 = iy + height - 1;
  } else if (anchor == 1) {
    x1 = ix - width / 2;
    y1 = iy - height / 2;
    x2 = ix + width / 2 - 1;
    y2 = iy + height / 2 - 1;
  } else {
    return;
  }
  rectfill(target, x1, y1, x2, y2, fillColour);
  if (bordered) rect(target, x1, y1, x2, y2, borderColour);
}
