#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "manifest.h"

namespace bake {

using Bytes = std::vector<uint8_t>;

// A 16-bit 5.6.5 picture; pixels equal to kMaskColour16 are transparent.
struct Bitmap16 {
  int width = 0;
  int height = 0;
  std::vector<uint16_t> pixels;  // row-major
};
constexpr uint16_t kMaskColour16 = 0xF81F;  // magic pink (255, 0, 255)

// An 8-bit picture of palette indices; index 0 is transparent in a font.
struct Bitmap8 {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;
};

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};
using Palette = std::vector<Rgb>;  // up to 256 entries, 8 bits per channel

struct FontRange {
  int first = 0;
  std::vector<Bitmap8> glyphs;  // one per character from `first` on
};

// One entry of a datafile, ready to serialise. A FILE object carries
// children instead of data.
struct DatObject {
  uint32_t type = kTypeData;
  std::vector<std::pair<uint32_t, std::string>> properties;
  Bytes data;
  std::vector<DatObject> children;
};

DatObject makeNamed(uint32_t type, const std::string& name);

// Object payloads in the layouts load_datafile reads (big-endian fields).
Bytes encodeBitmap16(const Bitmap16& bitmap);
// A 24-bit picture, three bytes a pixel, row-major: Allegro converts it to
// the screen's depth exactly as makecol would, so colours compare equal.
Bytes encodeBitmap24(int width, int height, const std::vector<Rgb>& pixels);
Bytes encodeRleSprite16(const Bitmap16& bitmap);
Bytes encodePalette(const Palette& palette);
Bytes encodeColourFont(const std::vector<FontRange>& ranges);

// The uncompressed datafile: "ALL.", the entry count, every entry.
Bytes serialiseDatafile(const std::vector<DatObject>& objects);

}  // namespace bake
