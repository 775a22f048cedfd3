#include "datafile_writer.h"

namespace bake {
namespace {

const uint32_t kPropertyMagic = datId('p', 'r', 'o', 'p');
const uint32_t kNameProperty = datId('N', 'A', 'M', 'E');
const uint32_t kDatafileMagic = datId('A', 'L', 'L', '.');
const int kBitsPerPixel16 = 16;
const int kBitsPerPixel24 = 24;
const int kFontFormatRanged = 0;   // the range-based font layout
const int kColourGlyphFlag = 8;    // 8-bit glyphs, not 1-bit masks
const int kPaletteEntries = 256;
// Run headers are signed 16-bit words, so long runs are split.
const int kMaxRun = 32767;

void put8(Bytes& out, uint32_t v) { out.push_back(uint8_t(v)); }
void put16(Bytes& out, uint32_t v) {
  out.push_back(uint8_t(v >> 8));
  out.push_back(uint8_t(v));
}
// Words inside bitmap and RLE pixel data are stored low byte first, unlike
// every header field.
void putWordLow(Bytes& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
// Stored pixels are plain 5.6.5 with red on top; the loader turns them into
// whatever layout the screen uses.
void putPixel16(Bytes& out, uint16_t c) { putWordLow(out, c); }
void put32(Bytes& out, uint32_t v) {
  put16(out, v >> 16);
  put16(out, v & 0xFFFF);
}
void append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

void encodeObject(Bytes& out, const DatObject& object);

Bytes encodeFileBody(const std::vector<DatObject>& objects) {
  Bytes body;
  put32(body, uint32_t(objects.size()));
  for (const DatObject& object : objects) encodeObject(body, object);
  return body;
}

void encodeObject(Bytes& out, const DatObject& object) {
  for (const auto& property : object.properties) {
    put32(out, kPropertyMagic);
    put32(out, property.first);
    put32(out, uint32_t(property.second.size()));
    out.insert(out.end(), property.second.begin(), property.second.end());
  }
  const Bytes body = object.type == kTypeFile ? encodeFileBody(object.children) : object.data;
  put32(out, object.type);
  put32(out, uint32_t(body.size()));  // stored size
  put32(out, uint32_t(body.size()));  // positive: the entry itself is not compressed
  append(out, body);
}

// One row of an RLE sprite: +n then n pixels, -n for n transparent pixels,
// the mask colour as end-of-line.
void encodeRleRow(Bytes& out, const uint16_t* row, int width) {
  int x = 0;
  while (x < width) {
    const bool solid = row[x] != kMaskColour16;
    int run = 0;
    while (x + run < width && run < kMaxRun && (row[x + run] != kMaskColour16) == solid) ++run;
    // A skip of 2017 would be written as the very word that ends the row;
    // the last pixel goes to the next run instead.
    if (!solid && (uint32_t(-run) & 0xFFFF) == kMaskColour16) --run;
    if (solid) {
      putWordLow(out, uint32_t(run));
      for (int i = 0; i < run; ++i) putPixel16(out, row[x + i]);
    } else {
      putWordLow(out, uint32_t(-run) & 0xFFFF);
    }
    x += run;
  }
  putWordLow(out, kMaskColour16);
}

}  // namespace

DatObject makeNamed(uint32_t type, const std::string& name) {
  DatObject object;
  object.type = type;
  object.properties.emplace_back(kNameProperty, name);
  return object;
}

Bytes encodeBitmap16(const Bitmap16& bitmap) {
  Bytes out;
  put16(out, kBitsPerPixel16);
  put16(out, uint32_t(bitmap.width));
  put16(out, uint32_t(bitmap.height));
  for (uint16_t pixel : bitmap.pixels) putPixel16(out, pixel);
  return out;
}

Bytes encodeBitmap24(int width, int height, const std::vector<Rgb>& pixels) {
  Bytes out;
  put16(out, kBitsPerPixel24);
  put16(out, uint32_t(width));
  put16(out, uint32_t(height));
  for (const Rgb& c : pixels) {
    put8(out, c.r);
    put8(out, c.g);
    put8(out, c.b);
  }
  return out;
}

Bytes encodeRleSprite16(const Bitmap16& bitmap) {
  Bytes runs;
  for (int y = 0; y < bitmap.height; ++y)
    encodeRleRow(runs, bitmap.pixels.data() + size_t(y) * bitmap.width, bitmap.width);
  Bytes out;
  put16(out, kBitsPerPixel16);
  put16(out, uint32_t(bitmap.width));
  put16(out, uint32_t(bitmap.height));
  put32(out, uint32_t(runs.size()));
  append(out, runs);
  return out;
}

Bytes encodePalette(const Palette& palette) {
  Bytes out;
  for (int i = 0; i < kPaletteEntries; ++i) {
    Rgb c = i < int(palette.size()) ? palette[i] : Rgb();
    // Allegro palettes hold 6 bits per channel.
    put8(out, c.r >> 2);
    put8(out, c.g >> 2);
    put8(out, c.b >> 2);
    put8(out, 0);
  }
  return out;
}

Bytes encodeColourFont(const std::vector<FontRange>& ranges) {
  Bytes out;
  put16(out, kFontFormatRanged);
  put16(out, uint32_t(ranges.size()));
  for (const FontRange& range : ranges) {
    put8(out, kColourGlyphFlag);
    put32(out, uint32_t(range.first));
    put32(out, uint32_t(range.first + int(range.glyphs.size()) - 1));
    for (const Bitmap8& glyph : range.glyphs) {
      put16(out, uint32_t(glyph.width));
      put16(out, uint32_t(glyph.height));
      out.insert(out.end(), glyph.pixels.begin(), glyph.pixels.end());
    }
  }
  return out;
}

Bytes serialiseDatafile(const std::vector<DatObject>& objects) {
  Bytes out;
  put32(out, kDatafileMagic);
  append(out, encodeFileBody(objects));
  return out;
}

}  // namespace bake
