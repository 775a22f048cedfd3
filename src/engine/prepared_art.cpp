#include "engine/prepared_art.h"

#include <allegro.h>

#include <cstdint>
#include <unordered_map>

namespace {

bool preparedArtEnabled = true;

struct Prepared {
  bool opaque = false;
  RLE_SPRITE* rle = nullptr;      // owned; null for opaque bitmaps
  RLE_SPRITE* mirrored[2] = {};   // owned, made on the first flipped draw: h, v
};

std::unordered_map<const BITMAP*, Prepared>& preparedBitmaps() {
  static std::unordered_map<const BITMAP*, Prepared> table;
  return table;
}

template <typename Pixel>
bool rowsFreeOf(BITMAP* bitmap, Pixel mask) {
  for (int y = 0; y < bitmap->h; ++y) {
    const Pixel* row = reinterpret_cast<const Pixel*>(bitmap->line[y]);
    for (int x = 0; x < bitmap->w; ++x)
      if (row[x] == mask) return false;
  }
  return true;
}

// Read straight from the rows: a backdrop has half a million pixels, and
// getpixel per pixel made the first entry of a level a tenth slower.
bool scanOpaque(BITMAP* bitmap) {
  int mask = bitmap_mask_color(bitmap);
  switch (bitmap_color_depth(bitmap)) {
    case 15:
    case 16: return rowsFreeOf<uint16_t>(bitmap, static_cast<uint16_t>(mask));
    case 32: return rowsFreeOf<uint32_t>(bitmap, static_cast<uint32_t>(mask));
    default: break;
  }
  for (int y = 0; y < bitmap->h; ++y) {
    for (int x = 0; x < bitmap->w; ++x) {
      if (getpixel(bitmap, x, y) == mask) return false;
    }
  }
  return true;
}

const Prepared& prepare(BITMAP* bitmap) {
  auto& table = preparedBitmaps();
  auto found = table.find(bitmap);
  if (found != table.end()) return found->second;
  Prepared made;
  made.opaque = scanOpaque(bitmap);
  if (!made.opaque) made.rle = get_rle_sprite(bitmap);
  return table.emplace(bitmap, made).first->second;
}

void forget(const BITMAP* bitmap) {
  auto& table = preparedBitmaps();
  auto found = table.find(bitmap);
  if (found == table.end()) return;
  Prepared& prepared = found->second;
  if (prepared.rle) destroy_rle_sprite(prepared.rle);
  for (RLE_SPRITE* mirror : prepared.mirrored)
    if (mirror) destroy_rle_sprite(mirror);
  table.erase(found);
}

}  // namespace

bool isOpaque(BITMAP* bitmap) { return prepare(bitmap).opaque; }

void setPreparedArtEnabled(bool enabled) { preparedArtEnabled = enabled; }

void drawMasked(BITMAP* target, BITMAP* bitmap, int x, int y) {
  // Another depth goes through Allegro's converting path; only a plain
  // memory picture of the target's depth is known to stay as it was drawn.
  if (!preparedArtEnabled || bitmap_color_depth(bitmap) != bitmap_color_depth(target) ||
      !is_memory_bitmap(bitmap)) {
    draw_sprite(target, bitmap, x, y);
    return;
  }
  const Prepared& prepared = prepare(bitmap);
  if (prepared.opaque) {
    blit(bitmap, target, 0, 0, x, y, bitmap->w, bitmap->h);
  } else if (prepared.rle) {
    draw_rle_sprite(target, prepared.rle, x, y);
  } else {
    draw_sprite(target, bitmap, x, y);
  }
}

void drawMaskedFlipped(BITMAP* target, BITMAP* bitmap, int x, int y, bool vertical) {
  auto plain = vertical ? draw_sprite_v_flip : draw_sprite_h_flip;
  if (!preparedArtEnabled || bitmap_color_depth(bitmap) != bitmap_color_depth(target) ||
      !is_memory_bitmap(bitmap)) {
    plain(target, bitmap, x, y);
    return;
  }
  prepare(bitmap);
  RLE_SPRITE*& mirror = preparedBitmaps()[bitmap].mirrored[vertical ? 1 : 0];
  if (!mirror) {
    // The flipped picture drawn once; its RLE sprite then draws the same
    // pixels at the same corner as the flipping call would.
    BITMAP* flipped = create_bitmap_ex(bitmap_color_depth(bitmap), bitmap->w, bitmap->h);
    if (!flipped) {
      plain(target, bitmap, x, y);
      return;
    }
    clear_to_color(flipped, bitmap_mask_color(flipped));
    plain(flipped, bitmap, 0, 0);
    mirror = get_rle_sprite(flipped);
    destroy_bitmap(flipped);
  }
  if (mirror) draw_rle_sprite(target, mirror, x, y);
  else plain(target, bitmap, x, y);
}

void forgetPreparedArt(const DATAFILE* datafile) {
  if (!datafile || preparedBitmaps().empty()) return;
  for (const DATAFILE* entry = datafile; entry->type != DAT_END; ++entry) {
    if (entry->type == DAT_BITMAP) forget(static_cast<const BITMAP*>(entry->dat));
    if (entry->type == DAT_FILE) forgetPreparedArt(static_cast<const DATAFILE*>(entry->dat));
  }
}
