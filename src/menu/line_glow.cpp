#include "menu/line_glow.h"

#include <allegro.h>

#include <algorithm>
#include <vector>

namespace {

// Warm gold: the font's own fill runs white to gold, so a gold halo reads
// as its glow, and it stands out against every blue backdrop and panel.
const int kGlowR = 255, kGlowG = 170, kGlowB = 40;
const int kDilatePx = 2;      // the halo starts this far out from the ink
const int kBlurRadiusPx = 2;  // each of the two box blurs
const float kHaloGain = 1.6f;  // lifts the blurred edge back to full strength near the ink

const int kMarkerGapPx = 7;  // between the text box and a marker's edge
const int kMarkerMinRadiusPx = 2;
const int kMarkerRadiusDivisor = 4;  // radius = text height / this

class Grid {
 public:
  Grid(int w, int h) : width(w), height(h), cells(static_cast<size_t>(w) * h, 0.0f) {}
  float& at(int x, int y) { return cells[static_cast<size_t>(y) * width + x]; }
  float get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0.0f;
    return cells[static_cast<size_t>(y) * width + x];
  }
  int width, height;

 private:
  std::vector<float> cells;
};

Grid inkMask(BITMAP* ink, int margin) {
  Grid mask(ink->w + 2 * margin, ink->h + 2 * margin);
  int black = makecol(0, 0, 0);
  for (int y = 0; y < ink->h; ++y)
    for (int x = 0; x < ink->w; ++x) mask.at(x + margin, y + margin) = getpixel(ink, x, y) != black;
  return mask;
}

// dx, dy: the direction of one pass; max-or-mean over 2 × radius + 1 cells.
Grid filtered(const Grid& in, int dx, int dy, int radius, bool takeMax) {
  Grid out(in.width, in.height);
  for (int y = 0; y < in.height; ++y)
    for (int x = 0; x < in.width; ++x) {
      float sum = 0.0f, best = 0.0f;
      for (int i = -radius; i <= radius; ++i) {
        float v = in.get(x + i * dx, y + i * dy);
        sum += v;
        best = std::max(best, v);
      }
      out.at(x, y) = takeMax ? best : sum / static_cast<float>(2 * radius + 1);
    }
  return out;
}

Grid halo(const Grid& mask) {
  Grid grown = filtered(filtered(mask, 1, 0, kDilatePx, true), 0, 1, kDilatePx, true);
  for (int pass = 0; pass < 2; ++pass)
    grown = filtered(filtered(grown, 1, 0, kBlurRadiusPx, false), 0, 1, kBlurRadiusPx, false);
  return grown;
}

void drawBubble(BITMAP* target, int cx, int cy, int r) {
  circlefill(target, cx, cy, r, makecol(kGlowR, kGlowG, kGlowB));
  circle(target, cx, cy, r, makecol(16, 28, 64));
  if (r >= 4) circlefill(target, cx - r / 3, cy - r / 3, r / 4, makecol(255, 255, 255));
}

}  // namespace

BITMAP* makeLineGlow(BITMAP* ink, int margin) {
  if (!ink) return nullptr;
  Grid strength = halo(inkMask(ink, margin));
  BITMAP* glow = create_bitmap(strength.width, strength.height);
  if (!glow) return nullptr;
  for (int y = 0; y < strength.height; ++y)
    for (int x = 0; x < strength.width; ++x) {
      float s = std::min(1.0f, strength.get(x, y) * kHaloGain);
      putpixel(glow, x, y,
               makecol(static_cast<int>(kGlowR * s), static_cast<int>(kGlowG * s), static_cast<int>(kGlowB * s)));
    }
  return glow;
}

void drawLineMarkers(BITMAP* target, int left, int right, int top, int height, int alpha) {
  if (alpha <= 0) return;
  int r = std::max(kMarkerMinRadiusPx, height / kMarkerRadiusDivisor);
  int cy = top + height / 2;
  set_trans_blender(0, 0, 0, std::min(alpha, 255));
  drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
  drawBubble(target, left - kMarkerGapPx - r, cy, r);
  drawBubble(target, right + kMarkerGapPx + r, cy, r);
  solid_mode();
}
