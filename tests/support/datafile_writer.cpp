#include "support/datafile_writer.h"

#include <allegro.h>

namespace testsupport {
namespace {

void put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

void putObjects(std::vector<uint8_t>& out, const std::vector<DatafileEntry>& entries) {
  put32(out, static_cast<uint32_t>(entries.size()));
  for (const DatafileEntry& e : entries) {
    put32(out, e.type);
    put32(out, static_cast<uint32_t>(e.payload.size()));
    put32(out, static_cast<uint32_t>(e.payload.size()));
    out.insert(out.end(), e.payload.begin(), e.payload.end());
  }
}

// 24-bit pixels, converted by the loader to the current colour depth.
DatafileEntry truecolourBitmap(int width, int height, int r, int g, int b, bool maskLeftHalf) {
  DatafileEntry e{static_cast<uint32_t>(DAT_BITMAP), {}};
  put16(e.payload, 24);
  put16(e.payload, static_cast<uint16_t>(width));
  put16(e.payload, static_cast<uint16_t>(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bool pink = maskLeftHalf && x < width / 2;
      e.payload.push_back(static_cast<uint8_t>(pink ? 255 : r));
      e.payload.push_back(static_cast<uint8_t>(pink ? 0 : g));
      e.payload.push_back(static_cast<uint8_t>(pink ? 255 : b));
    }
  }
  return e;
}

}  // namespace

DatafileEntry bitmapEntry(int width, int height, int r, int g, int b) {
  return truecolourBitmap(width, height, r, g, b, false);
}

DatafileEntry halfMaskedBitmapEntry(int width, int height, int r, int g, int b) {
  return truecolourBitmap(width, height, r, g, b, true);
}

DatafileEntry dataEntry(const std::string& bytes) {
  return {static_cast<uint32_t>(DAT_DATA), std::vector<uint8_t>(bytes.begin(), bytes.end())};
}

DatafileEntry nestedEntry(const std::vector<DatafileEntry>& entries) {
  DatafileEntry e{static_cast<uint32_t>(DAT_FILE), {}};
  putObjects(e.payload, entries);
  return e;
}

void writeDatafile(const std::string& path, const std::vector<DatafileEntry>& entries) {
  std::vector<uint8_t> bytes;
  put32(bytes, static_cast<uint32_t>(DAT_MAGIC));
  putObjects(bytes, entries);
  PACKFILE* f = pack_fopen(path.c_str(), F_WRITE_NOPACK);
  if (!f) return;
  pack_fwrite(bytes.data(), static_cast<long>(bytes.size()), f);
  pack_fclose(f);
}

}  // namespace testsupport
