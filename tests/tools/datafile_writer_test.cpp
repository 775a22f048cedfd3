#include "datafile_writer.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "lzss_packer.h"
#include "support/test_support.h"

using namespace bake;

namespace {

const uint16_t kRed = 0xF800, kGreen = 0x07E0, kBlue = 0x001F, kGrey = 0x8410;

Bitmap16 picture(int width, int height, const std::vector<uint16_t>& pixels) {
  Bitmap16 b;
  b.width = width;
  b.height = height;
  b.pixels = pixels;
  return b;
}

DatObject bitmapObject(const std::string& name, const Bitmap16& b, bool rle) {
  DatObject o = makeNamed(rle ? kTypeRle : kTypeBitmap, name);
  o.data = rle ? encodeRleSprite16(b) : encodeBitmap16(b);
  return o;
}

DATAFILE* bakeAndLoad(const std::vector<DatObject>& objects) {
  const Bytes file = makePackfile(serialiseDatafile(objects));
  testsupport::writeFile("test.dat", std::string(file.begin(), file.end()));
  return load_datafile("test.dat");
}

int entryCount(const DATAFILE* dat) {
  int n = 0;
  while (dat[n].type != DAT_END) ++n;
  return n;
}

// The colour a 5.6.5 value becomes once loaded: the in-memory layout is
// Allegro's current one (BGR without a graphics mode), so compare colours.
int asLoaded(uint16_t c) {
  return makecol16((c >> 11) * 255 / 31, ((c >> 5) & 63) * 255 / 63, (c & 31) * 255 / 31);
}

std::string nameOf(const DATAFILE& entry) { return get_datafile_property(&entry, DAT_ID('N', 'A', 'M', 'E')); }

}  // namespace

class DatafileWriter : public testing::Test {
 protected:
  void SetUp() override { testsupport::initAllegroNoDisplay(16); }
};

TEST_F(DatafileWriter, NestedFileKeepsItsEntriesInsideAndTheRootCountsItOnce) {
  DatObject nested = makeNamed(kTypeFile, "SUB");
  nested.children.push_back(bitmapObject("SUB_A", picture(1, 1, {kRed}), false));
  nested.children.push_back(bitmapObject("SUB_B", picture(2, 1, {kGreen, kBlue}), true));
  DatObject info = makeNamed(kTypeData, "info");
  info.data = {'x', 'y'};
  DATAFILE* dat = bakeAndLoad({bitmapObject("FIRST", picture(2, 1, {kRed, kBlue}), false), nested, info});
  ASSERT_NE(dat, nullptr);
  ASSERT_EQ(entryCount(dat), 3);
  EXPECT_EQ(dat[0].type, DAT_BITMAP);
  EXPECT_EQ(dat[1].type, DAT_FILE);
  EXPECT_EQ(dat[2].type, DAT_DATA);
  EXPECT_EQ(dat[2].size, 2);
  EXPECT_EQ(nameOf(dat[1]), "SUB");
  EXPECT_EQ(nameOf(dat[2]), "info");
  const DATAFILE* sub = static_cast<DATAFILE*>(dat[1].dat);
  ASSERT_EQ(entryCount(sub), 2);
  EXPECT_EQ(sub[0].type, DAT_BITMAP);
  EXPECT_EQ(sub[1].type, DAT_RLE_SPRITE);
  EXPECT_EQ(nameOf(sub[1]), "SUB_B");
  EXPECT_EQ(static_cast<RLE_SPRITE*>(sub[1].dat)->w, 2);
  unload_datafile(dat);
}

TEST_F(DatafileWriter, BitmapPixelsLoadUnchangedAtSixteenBits) {
  // Byte order and channel order both matter: red must load as red.
  Bitmap16 b = picture(3, 2, {kRed, kGreen, kBlue, kMaskColour16, kGrey, 0x1234});
  DATAFILE* dat = bakeAndLoad({bitmapObject("B", b, false)});
  ASSERT_NE(dat, nullptr);
  BITMAP* loaded = static_cast<BITMAP*>(dat[0].dat);
  ASSERT_EQ(bitmap_color_depth(loaded), 16);
  ASSERT_EQ(loaded->w, 3);
  ASSERT_EQ(loaded->h, 2);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(getpixel(loaded, i % 3, i / 3), asLoaded(b.pixels[i])) << i;
  EXPECT_EQ(getr16(getpixel(loaded, 0, 0)), 255);
  EXPECT_EQ(getb16(getpixel(loaded, 0, 0)), 0);
  EXPECT_EQ(getpixel(loaded, 0, 1), bitmap_mask_color(loaded));
  unload_datafile(dat);
}

TEST_F(DatafileWriter, RleSpriteDrawsItsPixelsAndLeavesMaskedOnesAlone) {
  const uint16_t M = kMaskColour16;
  // Rows that start and end both solid and transparent, and an empty row.
  Bitmap16 b = picture(4, 3, {M, kRed, kGreen, M, kBlue, M, M, kGrey, M, M, M, M});
  DATAFILE* dat = bakeAndLoad({bitmapObject("R", b, true)});
  ASSERT_NE(dat, nullptr);
  ASSERT_EQ(dat[0].type, DAT_RLE_SPRITE);
  BITMAP* target = create_bitmap_ex(16, 4, 3);
  clear_to_color(target, 0x0841);
  draw_rle_sprite(target, static_cast<RLE_SPRITE*>(dat[0].dat), 0, 0);
  for (int i = 0; i < 12; ++i) {
    const int expected = b.pixels[i] == M ? 0x0841 : asLoaded(b.pixels[i]);
    EXPECT_EQ(getpixel(target, i % 4, i / 4), expected) << i;
  }
  destroy_bitmap(target);
  unload_datafile(dat);
}

TEST_F(DatafileWriter, TransparentRunOf2017PixelsDoesNotEndTheRow) {
  // -2017 as a 16-bit word is the mask colour, the word that ends a row.
  const uint16_t M = kMaskColour16;
  const int width = 2019;
  std::vector<uint16_t> pixels(width * 2, M);
  pixels[2017] = kRed;       // row 0: 2017 transparent, then red, then one more
  pixels[width + 0] = kBlue;  // row 1 must still start where it should
  DATAFILE* dat = bakeAndLoad({bitmapObject("R", picture(width, 2, pixels), true)});
  ASSERT_NE(dat, nullptr);
  BITMAP* target = create_bitmap_ex(16, width, 2);
  clear_to_color(target, 0x0841);
  draw_rle_sprite(target, static_cast<RLE_SPRITE*>(dat[0].dat), 0, 0);
  EXPECT_EQ(getpixel(target, 2016, 0), 0x0841);
  EXPECT_EQ(getpixel(target, 2017, 0), asLoaded(kRed));
  EXPECT_EQ(getpixel(target, 0, 1), asLoaded(kBlue));
  EXPECT_EQ(getpixel(target, 1, 1), 0x0841);
  destroy_bitmap(target);
  unload_datafile(dat);
}

TEST_F(DatafileWriter, PaletteKeepsSixBitsPerChannel) {
  Palette palette(256);
  palette[5] = {255, 128, 4};
  DatObject object = makeNamed(kTypePalette, "PAL");
  object.data = encodePalette(palette);
  DATAFILE* dat = bakeAndLoad({object});
  ASSERT_NE(dat, nullptr);
  const RGB* loaded = static_cast<RGB*>(dat[0].dat);
  EXPECT_EQ(loaded[5].r, 63);
  EXPECT_EQ(loaded[5].g, 32);
  EXPECT_EQ(loaded[5].b, 1);
  EXPECT_EQ(loaded[6].r, 0);
  unload_datafile(dat);
}

TEST_F(DatafileWriter, ColourFontLoadsWithItsRangesAndGlyphPixels) {
  Bitmap8 glyph;
  glyph.width = 2;
  glyph.height = 3;
  glyph.pixels = {0, 1, 2, 0, 3, 3};
  FontRange low{'A', {glyph, glyph}}, high{200, {glyph}};
  DatObject object = makeNamed(kTypeFont, "F");
  object.data = encodeColourFont({low, high});
  DATAFILE* dat = bakeAndLoad({object});
  ASSERT_NE(dat, nullptr);
  FONT* font = static_cast<FONT*>(dat[0].dat);
  EXPECT_TRUE(is_color_font(font));
  ASSERT_EQ(get_font_ranges(font), 2);
  EXPECT_EQ(get_font_range_begin(font, 0), 'A');
  EXPECT_EQ(get_font_range_end(font, 0), 'B');
  EXPECT_EQ(get_font_range_begin(font, 1), 200);
  EXPECT_EQ(get_font_range_end(font, 1), 200);
  EXPECT_EQ(text_height(font), 3);
  EXPECT_EQ(text_length(font, "AB"), 4);
  unload_datafile(dat);
}
