#pragma once
#include <string>
#include <vector>

#include "datafile_writer.h"
#include "font_baker.h"
#include "raster_image.h"

namespace bake {

// Opaque previews for looking at baked art: transparent pixels show as a
// grey checkerboard, a font as sample lines on a sea-blue panel.
RgbaImage previewOfBitmap(const Bitmap16& bitmap);
RgbaImage previewOfFont(const BakedFont& font);

// Lays the previews out in rows and saves them as one PNG.
bool writeContactSheet(const std::vector<RgbaImage>& images, const std::string& path);

// Saves the image as a PNG, transparency kept.
bool writePng(const RgbaImage& image, const std::string& path);

}  // namespace bake
