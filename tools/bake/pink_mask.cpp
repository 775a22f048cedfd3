#include "pink_mask.h"

#include <algorithm>

namespace bake {
namespace {

// Ordered-dither thresholds, in sixteenths.
const int kBayer4[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
const uint16_t kNearPink = 0xF83F;  // one green step off the mask colour

int quantise(int value, int levels, int threshold16ths) {
  // value * (levels - 1) / 255 with the fraction compared to the threshold.
  int scaled = value * (levels - 1) * 16 / 255;
  int whole = scaled / 16;
  if (scaled % 16 > threshold16ths) ++whole;
  return std::min(whole, levels - 1);
}

uint16_t avoidMask(uint16_t colour) { return colour == kMaskColour16 ? kNearPink : colour; }

int unpremultiply(uint32_t channel, uint32_t alpha) {
  return int(std::min<uint32_t>(255, (channel * 255 + alpha / 2) / alpha));
}

}  // namespace

uint16_t packRgb565(int r, int g, int b) {
  const int kRound = 7;  // threshold 7/16 rounds to nearest
  uint16_t colour = uint16_t((quantise(r, 32, kRound) << 11) | (quantise(g, 64, kRound) << 5) |
                             quantise(b, 32, kRound));
  return avoidMask(colour);
}

Bitmap16 toMaskedBitmap16(const RgbaImage& image, bool dither) {
  Bitmap16 out;
  out.width = image.width;
  out.height = image.height;
  out.pixels.assign(size_t(image.width) * image.height, kMaskColour16);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const size_t i = size_t(y) * image.width + x;
      const uint32_t p = image.argb[i];
      const uint32_t a = p >> 24;
      if (int(a) < kOpaqueAlphaThreshold) continue;
      const int r = unpremultiply((p >> 16) & 0xFF, a);
      const int g = unpremultiply((p >> 8) & 0xFF, a);
      const int b = unpremultiply(p & 0xFF, a);
      const int t = dither ? kBayer4[y & 3][x & 3] : 7;
      out.pixels[i] = avoidMask(uint16_t((quantise(r, 32, t) << 11) | (quantise(g, 64, t) << 5) |
                                         quantise(b, 32, t)));
    }
  }
  return out;
}

}  // namespace bake
