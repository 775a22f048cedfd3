#include "contact_sheet.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>

namespace bake {
namespace {

const int kSheetMaxWidth = 1700;
const int kGap = 8;
const uint32_t kSheetBackground = 0xFF303040;
const uint32_t kFontPanel = 0xFF1E6FA8;
const char* const kFontSamples[] = {"Tidewell Quest - Play! Options Quit",
                                    "The quick brown fox jumps over 13 lazy dogs.",
                                    "ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789",
                                    "abcdefghijklmnopqrstuvwxyz !?.,:;'\"()%+-=/",
                                    "\xC4\xD6\xDC \xE4\xF6\xFC \xDF \xE9\xE8\xEA \xF1 \xA9 \xBF\xA1"};

uint32_t expand565(uint16_t c) {
  uint32_t r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
  return 0xFF000000 | ((r * 255 / 31) << 16) | ((g * 255 / 63) << 8) | (b * 255 / 31);
}

const Bitmap8* glyphFor(const BakedFont& font, int code) {
  for (const FontRange& range : font.ranges)
    if (code >= range.first && code < range.first + int(range.glyphs.size()))
      return &range.glyphs[code - range.first];
  return nullptr;
}

int textWidth(const BakedFont& font, const char* text) {
  int width = 0;
  for (const char* p = text; *p; ++p)
    if (const Bitmap8* g = glyphFor(font, static_cast<unsigned char>(*p))) width += g->width;
  return width;
}

void drawText(RgbaImage& image, const BakedFont& font, const char* text, int x, int y) {
  for (const char* p = text; *p; ++p) {
    const Bitmap8* glyph = glyphFor(font, static_cast<unsigned char>(*p));
    if (!glyph) continue;
    for (int gy = 0; gy < glyph->height; ++gy) {
      for (int gx = 0; gx < glyph->width; ++gx) {
        const uint8_t index = glyph->pixels[size_t(gy) * glyph->width + gx];
        const int px = x + gx, py = y + gy;
        if (!index || px >= image.width || py >= image.height) continue;
        const Rgb c = font.palette[index];
        // Show the colours as the game will: 6 bits per channel.
        auto six = [](uint8_t v) { return uint32_t((v >> 2) * 255 / 63); };
        image.argb[size_t(py) * image.width + px] =
            0xFF000000 | (six(c.r) << 16) | (six(c.g) << 8) | six(c.b);
      }
    }
    x += glyph->width;
  }
}

}  // namespace

RgbaImage previewOfBitmap(const Bitmap16& bitmap) {
  RgbaImage image;
  image.width = bitmap.width;
  image.height = bitmap.height;
  image.argb.resize(bitmap.pixels.size());
  for (int y = 0; y < bitmap.height; ++y) {
    for (int x = 0; x < bitmap.width; ++x) {
      const size_t i = size_t(y) * bitmap.width + x;
      const bool light = ((x / 8) + (y / 8)) % 2 == 0;
      image.argb[i] = bitmap.pixels[i] == kMaskColour16 ? (light ? 0xFFB0B0B0 : 0xFF808080)
                                                         : expand565(bitmap.pixels[i]);
    }
  }
  return image;
}

RgbaImage previewOfFont(const BakedFont& font) {
  RgbaImage image;
  for (const char* line : kFontSamples) image.width = std::max(image.width, textWidth(font, line));
  image.width += 2 * kGap;
  const int lines = int(sizeof kFontSamples / sizeof kFontSamples[0]);
  image.height = lines * font.lineHeight + 2 * kGap;
  image.argb.assign(size_t(image.width) * image.height, kFontPanel);
  for (int i = 0; i < lines; ++i) drawText(image, font, kFontSamples[i], kGap, kGap + i * font.lineHeight);
  return image;
}

bool writeContactSheet(const std::vector<RgbaImage>& images, const std::string& path) {
  // Row layout first, to size the sheet.
  std::vector<std::pair<int, int>> places;
  int x = kGap, y = kGap, rowHeight = 0, width = 0;
  for (const RgbaImage& image : images) {
    if (x > kGap && x + image.width > kSheetMaxWidth) {
      x = kGap;
      y += rowHeight + kGap;
      rowHeight = 0;
    }
    places.emplace_back(x, y);
    x += image.width + kGap;
    rowHeight = std::max(rowHeight, image.height);
    width = std::max(width, x);
  }
  const int height = y + rowHeight + kGap;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(width, 1), height);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int row = 0; row < height; ++row)
    std::fill_n(reinterpret_cast<uint32_t*>(data + size_t(row) * stride), std::max(width, 1), kSheetBackground);
  for (size_t i = 0; i < images.size(); ++i)
    for (int row = 0; row < images[i].height; ++row)
      std::memcpy(data + size_t(places[i].second + row) * stride + size_t(places[i].first) * 4,
                  &images[i].argb[size_t(row) * images[i].width], size_t(images[i].width) * 4);
  cairo_surface_mark_dirty(surface);
  const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

bool writePng(const RgbaImage& image, const std::string& path) {
  if (image.width <= 0 || image.height <= 0) return false;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int row = 0; row < image.height; ++row)
    std::memcpy(data + size_t(row) * stride, &image.argb[size_t(row) * image.width], size_t(image.width) * 4);
  cairo_surface_mark_dirty(surface);
  const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

}  // namespace bake
