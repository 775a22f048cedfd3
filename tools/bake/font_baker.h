#pragma once
#include <string>
#include <vector>

#include "datafile_writer.h"
#include "manifest.h"

namespace bake {

// An 8-bit colour font: every glyph is a cell of the same height holding
// palette indices (0 transparent) for a gradient fill inside a dark
// outline; `palette` gives those indices their colours.
struct BakedFont {
  std::vector<FontRange> ranges;
  Palette palette;
  int lineHeight = 0;
};

// Renders the glyphs of `ranges` from a font file with FreeType at
// pixelSize. Characters the face lacks get its missing-glyph shape.
bool bakeFont(const std::string& fontPath, int pixelSize, const std::vector<GlyphRange>& ranges,
              BakedFont& font, std::string& error);

// Palette index layout, exposed for the tests.
constexpr int kFontOutlineIndex = 1;  // the pure outline colour
int fontFillIndex(int gradientStep, int blendStep);  // blendStep 0 = outline, max = fill
constexpr int kFontGradientSteps = 16;
constexpr int kFontBlendSteps = 5;

}  // namespace bake
