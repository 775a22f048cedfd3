#include "pink_mask.h"

#include <gtest/gtest.h>

#include <set>

using namespace bake;

namespace {

RgbaImage image(int width, int height, uint32_t fill) {
  RgbaImage img;
  img.width = width;
  img.height = height;
  img.argb.assign(size_t(width) * height, fill);
  return img;
}

uint32_t premultiplied(int r, int g, int b, int a) {
  return (uint32_t(a) << 24) | (uint32_t(r * a / 255) << 16) | (uint32_t(g * a / 255) << 8) |
         uint32_t(b * a / 255);
}

}  // namespace

TEST(PinkMask, EdgesAreCutAtHalfOpacityAndKeepTheirTrueColour) {
  RgbaImage img = image(3, 1, 0);
  img.argb[0] = premultiplied(255, 255, 255, kOpaqueAlphaThreshold - 1);
  img.argb[1] = premultiplied(0, 0, 255, kOpaqueAlphaThreshold);
  img.argb[2] = 0;  // fully transparent
  const Bitmap16 out = toMaskedBitmap16(img, false);
  EXPECT_EQ(out.pixels[0], kMaskColour16);
  // A half-covered blue edge pixel stays full blue, not a dark blend.
  EXPECT_EQ(out.pixels[1], 0x001F);
  EXPECT_EQ(out.pixels[2], kMaskColour16);
}

TEST(PinkMask, OpaquePinkInTheArtIsNeverTakenForTransparency) {
  const Bitmap16 out = toMaskedBitmap16(image(2, 2, premultiplied(255, 0, 255, 255)), true);
  for (uint16_t p : out.pixels) {
    EXPECT_NE(p, kMaskColour16);
    EXPECT_EQ(p >> 11, 31);
    EXPECT_EQ(p & 0x1F, 31);
  }
  EXPECT_NE(packRgb565(255, 0, 255), kMaskColour16);
  EXPECT_EQ(packRgb565(255, 255, 255), 0xFFFF);
  EXPECT_EQ(packRgb565(0, 0, 0), 0);
}

TEST(PinkMask, DitheringKeepsTheAverageOfAColourBetweenTwoLevels) {
  // Red 100 lies between the 5-bit levels 12 (98.7) and 13 (106.9).
  const RgbaImage flat = image(8, 8, premultiplied(100, 0, 0, 255));
  const Bitmap16 plain = toMaskedBitmap16(flat, false);
  const Bitmap16 dithered = toMaskedBitmap16(flat, true);
  EXPECT_EQ(std::set<uint16_t>(plain.pixels.begin(), plain.pixels.end()).size(), 1u);
  std::set<int> levels;
  double sum = 0;
  for (uint16_t p : dithered.pixels) {
    levels.insert(p >> 11);
    sum += (p >> 11) * 255.0 / 31;
  }
  EXPECT_EQ(levels, (std::set<int>{12, 13}));
  EXPECT_NEAR(sum / dithered.pixels.size(), 100.0, 1.5);
}
