#pragma once
#include "datafile_writer.h"
#include "raster_image.h"

namespace bake {

// Pixels at least this opaque are kept; the rest become magic pink.
constexpr int kOpaqueAlphaThreshold = 128;

// Converts a rendered picture to a 16-bit masked sprite with hard edges:
// pixels below the alpha threshold become the mask colour, kept pixels are
// un-premultiplied and never equal the mask colour. With dither an ordered
// 4x4 pattern hides the banding of smooth gradients in 5.6.5.
Bitmap16 toMaskedBitmap16(const RgbaImage& image, bool dither);

// Packs 8-bit channels into 5.6.5 (rounded); the mask colour is avoided.
uint16_t packRgb565(int r, int g, int b);

}  // namespace bake
