#include "support/test_datafiles.h"

#include <fstream>

#include "lzss_packer.h"
#include "pink_mask.h"

namespace testsupport {
namespace {

bake::Bitmap16 solid(int width, int height, int r, int g, int b, bool maskLeftHalf) {
  bake::Bitmap16 bitmap{width, height, std::vector<uint16_t>(width * height, bake::packRgb565(r, g, b))};
  for (int y = 0; maskLeftHalf && y < height; ++y) {
    for (int x = 0; x < width / 2; ++x) bitmap.pixels[y * width + x] = bake::kMaskColour16;
  }
  return bitmap;
}

DatafileEntry picture(uint32_t type, const bake::Bytes& data) {
  DatafileEntry entry = bake::makeNamed(type, "PICTURE");
  entry.data = data;
  return entry;
}

}  // namespace

DatafileEntry bitmapEntry(int width, int height, int r, int g, int b) {
  return picture(bake::kTypeBitmap, bake::encodeBitmap16(solid(width, height, r, g, b, false)));
}

DatafileEntry halfMaskedBitmapEntry(int width, int height, int r, int g, int b) {
  return picture(bake::kTypeBitmap, bake::encodeBitmap16(solid(width, height, r, g, b, true)));
}

DatafileEntry rleEntry(int width, int height, int r, int g, int b) {
  return picture(bake::kTypeRle, bake::encodeRleSprite16(solid(width, height, r, g, b, false)));
}

DatafileEntry dataEntry(const std::string& bytes) {
  DatafileEntry entry = bake::makeNamed(bake::kTypeData, "DATA");
  entry.data.assign(bytes.begin(), bytes.end());
  return entry;
}

DatafileEntry nestedEntry(const std::vector<DatafileEntry>& entries) {
  DatafileEntry entry = bake::makeNamed(bake::kTypeFile, "FILE");
  entry.children = entries;
  return entry;
}

void writeDatafile(const std::string& path, const std::vector<DatafileEntry>& entries) {
  bake::Bytes file = bake::makePackfile(bake::serialiseDatafile(entries));
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                               static_cast<std::streamsize>(file.size()));
}

}  // namespace testsupport
