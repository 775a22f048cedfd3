#include "font_baker.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

namespace bake {
namespace {

const int kOutlinePx = 2;                      // dark rim around every glyph
const Rgb kOutline = {16, 28, 64};             // deep navy
const Rgb kFillTop = {255, 255, 255};          // white at the top ...
const Rgb kFillBottom = {255, 206, 84};        // ... to warm gold at the baseline
const int kVisibleCoverage = 128;              // hard edge of the outline
const int kExtraSpacingPx = 1;                 // added to each advance for the rims

struct GlyphImage {
  int left = 0;     // pen-relative x of the first coverage column
  int top = 0;      // rows above the baseline
  int width = 0;
  int rows = 0;
  int advance = 0;
  std::vector<uint8_t> coverage;
};

struct Metrics {
  int above = 0;  // rows above the baseline, outline excluded
  int below = 0;  // rows below it
};

Rgb mix(Rgb a, Rgb b, double t) {
  auto lerp = [t](int x, int y) { return uint8_t(std::lround(x + (y - x) * t)); };
  return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b)};
}

Palette buildPalette() {
  Palette palette(256);
  palette[kFontOutlineIndex] = kOutline;
  for (int g = 0; g < kFontGradientSteps; ++g) {
    Rgb fill = mix(kFillTop, kFillBottom, double(g) / (kFontGradientSteps - 1));
    for (int b = 0; b < kFontBlendSteps; ++b)
      palette[fontFillIndex(g, b)] = mix(kOutline, fill, double(b) / (kFontBlendSteps - 1));
  }
  return palette;
}

GlyphImage renderGlyph(FT_Face face, int code) {
  GlyphImage glyph;
  if (FT_Load_Char(face, FT_ULong(code), FT_LOAD_RENDER) != 0) return glyph;
  const FT_GlyphSlot slot = face->glyph;
  glyph.advance = int(slot->advance.x >> 6);
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = int(slot->bitmap.width);
  glyph.rows = int(slot->bitmap.rows);
  glyph.coverage.resize(size_t(glyph.width) * glyph.rows);
  for (int y = 0; y < glyph.rows; ++y)
    for (int x = 0; x < glyph.width; ++x)
      glyph.coverage[size_t(y) * glyph.width + x] = slot->bitmap.buffer[y * slot->bitmap.pitch + x];
  return glyph;
}

// Coverage grown by the outline radius, with a soft disc so round letters
// keep round rims.
std::vector<uint8_t> dilate(const std::vector<uint8_t>& cov, int width, int height) {
  std::vector<uint8_t> out(cov.size(), 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      double best = 0;
      for (int dy = -kOutlinePx - 1; dy <= kOutlinePx + 1; ++dy) {
        for (int dx = -kOutlinePx - 1; dx <= kOutlinePx + 1; ++dx) {
          int sx = x + dx, sy = y + dy;
          if (sx < 0 || sy < 0 || sx >= width || sy >= height) continue;
          double reach = std::clamp(kOutlinePx + 0.5 - std::hypot(dx, dy), 0.0, 1.0);
          best = std::max(best, cov[size_t(sy) * width + sx] * reach);
        }
      }
      out[size_t(y) * width + x] = uint8_t(std::lround(best));
    }
  }
  return out;
}

Bitmap8 composeCell(const GlyphImage& glyph, const Metrics& metrics) {
  // The rim may eat into the side bearings, so letters keep their spacing.
  const int penStart = std::min(0, glyph.left - kOutlinePx);
  const int inkEnd = std::max(glyph.advance + kExtraSpacingPx, glyph.left + glyph.width + kOutlinePx);
  Bitmap8 cell;
  cell.width = std::max(1, inkEnd - penStart);
  cell.height = metrics.above + metrics.below + 2 * kOutlinePx;
  cell.pixels.assign(size_t(cell.width) * cell.height, 0);
  std::vector<uint8_t> cov(cell.pixels.size(), 0);
  const int baseline = kOutlinePx + metrics.above;
  for (int y = 0; y < glyph.rows; ++y) {
    for (int x = 0; x < glyph.width; ++x) {
      int cx = glyph.left - penStart + x, cy = baseline - glyph.top + y;
      if (cx >= 0 && cy >= 0 && cx < cell.width && cy < cell.height)
        cov[size_t(cy) * cell.width + cx] = glyph.coverage[size_t(y) * glyph.width + x];
    }
  }
  const std::vector<uint8_t> rim = dilate(cov, cell.width, cell.height);
  for (int y = 0; y < cell.height; ++y) {
    const double along = double(y - kOutlinePx) / std::max(1, metrics.above + metrics.below / 2);
    const int step = std::clamp(int(along * kFontGradientSteps), 0, kFontGradientSteps - 1);
    for (int x = 0; x < cell.width; ++x) {
      const size_t i = size_t(y) * cell.width + x;
      if (rim[i] < kVisibleCoverage) continue;
      const int blend = (cov[i] * (kFontBlendSteps - 1) + 127) / 255;
      cell.pixels[i] = uint8_t(fontFillIndex(step, blend));
    }
  }
  return cell;
}

Metrics measure(FT_Face face, const std::vector<GlyphImage>& glyphs) {
  Metrics metrics;
  metrics.above = int(face->size->metrics.ascender >> 6);
  metrics.below = int(-(face->size->metrics.descender >> 6));
  for (const GlyphImage& glyph : glyphs) {
    if (glyph.rows == 0) continue;
    metrics.above = std::max(metrics.above, glyph.top);
    metrics.below = std::max(metrics.below, glyph.rows - glyph.top);
  }
  return metrics;
}

}  // namespace

int fontFillIndex(int gradientStep, int blendStep) {
  return blendStep == 0 ? kFontOutlineIndex
                        : kFontOutlineIndex + 1 + gradientStep * (kFontBlendSteps - 1) + blendStep - 1;
}

bool bakeFont(const std::string& fontPath, int pixelSize, const std::vector<GlyphRange>& ranges,
              BakedFont& font, std::string& error) {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  if (FT_Init_FreeType(&library) != 0) {
    error = "cannot start FreeType";
    return false;
  }
  if (FT_New_Face(library, fontPath.c_str(), 0, &face) != 0 ||
      FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelSize)) != 0) {
    error = "cannot open font " + fontPath;
    if (face) FT_Done_Face(face);
    FT_Done_FreeType(library);
    return false;
  }
  std::vector<GlyphImage> glyphs;
  for (const GlyphRange& range : ranges)
    for (int code = range.first; code <= range.last; ++code) glyphs.push_back(renderGlyph(face, code));
  const Metrics metrics = measure(face, glyphs);
  font = BakedFont();
  font.palette = buildPalette();
  font.lineHeight = metrics.above + metrics.below + 2 * kOutlinePx;
  size_t next = 0;
  for (const GlyphRange& range : ranges) {
    FontRange baked;
    baked.first = range.first;
    for (int code = range.first; code <= range.last; ++code)
      baked.glyphs.push_back(composeCell(glyphs[next++], metrics));
    font.ranges.push_back(baked);
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return true;
}

}  // namespace bake
