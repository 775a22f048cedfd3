#pragma once

struct BITMAP;

// The highlight of a menu line: a soft halo in the glow colour around the
// label's ink, on black, `margin` pixels larger than the ink on every side.
// Drawn with the add blender it lights the water behind the line, so the
// highlighted line stands out whatever the label's own colours. The caller
// owns the result; null when ink is null or Allegro cannot make the bitmap.
BITMAP* makeLineGlow(BITMAP* ink, int margin);

// The bubbles either side of a highlighted line whose text box runs from
// left to right and from top to top + height, drawn at opacity alpha 0–255.
void drawLineMarkers(BITMAP* target, int left, int right, int top, int height, int alpha);
