#include "engine/translucent.h"

#include <allegro.h>

#include <algorithm>
#include <cstdint>

// This Allegro has no separate RGBA calls: its translucent sprite drawing
// already blends a 32-bit source through its alpha channel when the caller
// selected the alpha blender.
void drawTranslucent(BITMAP* target, BITMAP* bitmap, int x, int y) {
  draw_trans_sprite(target, bitmap, x, y);
}

void drawTranslucentRle(BITMAP* target, RLE_SPRITE* sprite, int x, int y) {
  draw_trans_rle_sprite(target, sprite, x, y);
}

namespace {

const int kFastDepth = 16;
const int kMaxChannel = 255;

// The part of a picture at (x, y) inside the target's clip, as Allegro's
// sprite drawing finds it.
struct ClippedSpan {
  int sourceX, sourceY, targetX, targetY, width, height;
};

bool clipToTarget(const BITMAP* target, const BITMAP* bitmap, int x, int y, ClippedSpan& span) {
  span = {0, 0, x, y, bitmap->w, bitmap->h};
  if (!target->clip) return true;
  span.sourceX = std::max(target->cl - x, 0);
  span.targetX = span.sourceX + x;
  span.width = std::min(target->cr - x, bitmap->w) - span.sourceX;
  span.sourceY = std::max(target->ct - y, 0);
  span.targetY = span.sourceY + y;
  span.height = std::min(target->cb - y, bitmap->h) - span.sourceY;
  return span.width > 0 && span.height > 0;
}

// Allegro's 16-bit additive blender: each channel of the target plus the
// picture's scaled by alpha / 256, widened through its scale tables,
// capped at 255 and packed as makecol16 packs. The picture's scaled
// channels are looked up, made once per drawing.
struct AddTables {
  int red[32], green[64], blue[32];
  explicit AddTables(unsigned alpha) {
    for (unsigned v = 0; v < 32; ++v) red[v] = blue[v] = int(unsigned(_rgb_scale_5[v]) * alpha / 256);
    for (unsigned v = 0; v < 64; ++v) green[v] = int(unsigned(_rgb_scale_6[v]) * alpha / 256);
  }
};

template <typename Shifts>
void addRow(uint16_t* to, const uint16_t* from, int width, const AddTables& add, Shifts shifts) {
  const int* wide5 = _rgb_scale_5;
  const int* wide6 = _rgb_scale_6;
  const int red = shifts.red(), green = shifts.green(), blue = shifts.blue();
  for (int i = 0; i < width; ++i) {
    unsigned c = from[i], d = to[i];
    if (c == MASK_COLOR_16) continue;
    int r = std::min(wide5[d >> red & 0x1F] + add.red[c >> red & 0x1F], kMaxChannel);
    int g = std::min(wide6[d >> green & 0x3F] + add.green[c >> green & 0x3F], kMaxChannel);
    int b = std::min(wide5[d >> blue & 0x1F] + add.blue[c >> blue & 0x1F], kMaxChannel);
    to[i] = uint16_t((r >> 3) << red | (g >> 2) << green | (b >> 3) << blue);
  }
}

// The two layouts X servers give 16-bit screens, fixed at compile time so
// the shifts cost nothing; any other is read from Allegro each row.
template <int R, int G, int B>
struct FixedShifts {
  static constexpr int red() { return R; }
  static constexpr int green() { return G; }
  static constexpr int blue() { return B; }
};
struct ScreenShifts {
  int red() const { return _rgb_r_shift_16; }
  int green() const { return _rgb_g_shift_16; }
  int blue() const { return _rgb_b_shift_16; }
};

void addRow(uint16_t* to, const uint16_t* from, int width, const AddTables& add) {
  if (_rgb_r_shift_16 == 11 && _rgb_g_shift_16 == 5 && _rgb_b_shift_16 == 0) {
    addRow(to, from, width, add, FixedShifts<11, 5, 0>{});
  } else if (_rgb_r_shift_16 == 0 && _rgb_g_shift_16 == 5 && _rgb_b_shift_16 == 11) {
    addRow(to, from, width, add, FixedShifts<0, 5, 11>{});
  } else {
    addRow(to, from, width, add, ScreenShifts{});
  }
}

}  // namespace

void drawAdditive(BITMAP* target, BITMAP* bitmap, int x, int y, int alpha) {
  set_add_blender(0, 0, 0, alpha);
  bool fast = bitmap_color_depth(bitmap) == kFastDepth && bitmap_color_depth(target) == kFastDepth &&
              is_memory_bitmap(target) && alpha >= 0 && alpha <= kMaxChannel;
  if (!fast) {
    draw_trans_sprite(target, bitmap, x, y);
    return;
  }
  ClippedSpan span;
  if (!clipToTarget(target, bitmap, x, y, span)) return;
  const AddTables add(static_cast<unsigned>(alpha));
  for (int row = 0; row < span.height; ++row) {
    auto* to = reinterpret_cast<uint16_t*>(target->line[span.targetY + row]) + span.targetX;
    auto* from = reinterpret_cast<const uint16_t*>(bitmap->line[span.sourceY + row]) + span.sourceX;
    addRow(to, from, span.width, add);
  }
}
