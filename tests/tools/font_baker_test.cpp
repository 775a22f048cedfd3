#include "font_baker.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <set>

#include "manifest.h"
#include "support/test_support.h"

using namespace bake;

namespace {

const ManifestObject& gameFontObject() {
  static Manifest manifest;
  static const ManifestObject* entry = nullptr;
  if (!entry) {
    std::string error;
    parseManifest(testsupport::readFile(testsupport::sourceDir() + "/assets/gfx/datafiles.txt"),
                  manifest, error);
    entry = &manifest.find("font.dat")->objects.at(0);
  }
  return *entry;
}

const Bitmap8& glyph(const BakedFont& font, int code) {
  for (const FontRange& range : font.ranges)
    if (code >= range.first && code < range.first + int(range.glyphs.size()))
      return range.glyphs[code - range.first];
  ADD_FAILURE() << "no glyph " << code;
  return font.ranges.at(0).glyphs.at(0);
}

std::set<int> indicesIn(const Bitmap8& g) { return std::set<int>(g.pixels.begin(), g.pixels.end()); }

}  // namespace

TEST(FontBaker, GlyphsShareOneReadableHeightAndCoverTheRanges) {
  const ManifestObject& entry = gameFontObject();
  BakedFont font;
  std::string error;
  ASSERT_TRUE(bakeFont(entry.source, entry.pixelSize, entry.ranges, font, error)) << error;
  ASSERT_EQ(font.ranges.size(), entry.ranges.size());
  for (size_t r = 0; r < entry.ranges.size(); ++r) {
    EXPECT_EQ(font.ranges[r].first, entry.ranges[r].first);
    EXPECT_EQ(int(font.ranges[r].glyphs.size()), entry.ranges[r].last - entry.ranges[r].first + 1);
    for (const Bitmap8& g : font.ranges[r].glyphs) {
      EXPECT_EQ(g.height, font.lineHeight);
      EXPECT_GT(g.width, 0);
    }
  }
  EXPECT_GE(font.lineHeight, 20);
  EXPECT_LE(font.lineHeight, 30);
  EXPECT_EQ(indicesIn(glyph(font, ' ')), std::set<int>{0});
  EXPECT_GT(glyph(font, 'W').width, glyph(font, 'i').width);
}

TEST(FontBaker, LettersHaveADarkRimAroundAGradientFill) {
  const ManifestObject& entry = gameFontObject();
  BakedFont font;
  std::string error;
  ASSERT_TRUE(bakeFont(entry.source, entry.pixelSize, entry.ranges, font, error)) << error;
  const Bitmap8& h = glyph(font, 'H');
  // The left column of the stem is rim: only transparent or outline there.
  int firstInk = h.width;
  for (int y = 0; y < h.height; ++y)
    for (int x = 0; x < h.width; ++x)
      if (h.pixels[size_t(y) * h.width + x]) firstInk = std::min(firstInk, x);
  for (int y = 0; y < h.height; ++y) {
    const int index = h.pixels[size_t(y) * h.width + firstInk];
    EXPECT_TRUE(index == 0 || index == kFontOutlineIndex) << "row " << y;
  }
  const std::set<int> used = indicesIn(h);
  const int fullTop = fontFillIndex(0, kFontBlendSteps - 1);
  const int fullBottom = fontFillIndex(kFontGradientSteps - 1, kFontBlendSteps - 1);
  EXPECT_TRUE(used.count(kFontOutlineIndex));
  // Solid fill appears in several gradient steps, lighter above.
  int fillSteps = 0;
  for (int g = 0; g < kFontGradientSteps; ++g) fillSteps += used.count(fontFillIndex(g, kFontBlendSteps - 1));
  EXPECT_GE(fillSteps, 4);
  const Rgb top = font.palette[fullTop], bottom = font.palette[fullBottom], rim = font.palette[kFontOutlineIndex];
  EXPECT_GT(top.r + top.g + top.b, bottom.r + bottom.g + bottom.b);
  EXPECT_GT(bottom.r + bottom.g + bottom.b, 3 * (rim.r + rim.g + rim.b));
}

TEST(FontBaker, BakedGameFontDrawsInItsOwnColoursAtSixteenBits) {
  testsupport::initAllegroNoDisplay(16);
  DATAFILE* dat = load_datafile((testsupport::gameDir() + "/dat/font.dat").c_str());
  ASSERT_NE(dat, nullptr);
  FONT* font = static_cast<FONT*>(dat[0].dat);
  ASSERT_TRUE(is_color_font(font));
  const ManifestObject& entry = gameFontObject();
  ASSERT_EQ(get_font_ranges(font), int(entry.ranges.size()));
  for (int r = 0; r < get_font_ranges(font); ++r) {
    EXPECT_EQ(get_font_range_begin(font, r), entry.ranges[r].first);
    EXPECT_EQ(get_font_range_end(font, r), entry.ranges[r].last);
  }
  set_palette(static_cast<RGB*>(dat[1].dat));
  BITMAP* target = create_bitmap_ex(16, 200, 40);
  const int background = makecol16(255, 0, 0);
  clear_to_color(target, background);
  textout_ex(target, font, "Hi", 0, 0, -1, -1);
  int light = 0, dark = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 200; ++x) {
      const int c = getpixel(target, x, y);
      if (c == background) continue;
      const int sum = getr16(c) + getg16(c) + getb16(c);
      light += sum > 600;
      dark += sum < 200;
    }
  }
  EXPECT_GT(light, 20);
  EXPECT_GT(dark, 20);
  EXPECT_EQ(getpixel(target, 199, 39), background);
  destroy_bitmap(target);
  unload_datafile(dat);
}
