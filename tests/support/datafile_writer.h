#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes small uncompressed Allegro datafiles for tests that need exact
// control over entry types and counts. The game's own datafiles come from
// the baking tool.
namespace testsupport {

struct DatafileEntry {
  uint32_t type;                 // DAT_BITMAP, DAT_DATA, DAT_FILE, ...
  std::vector<uint8_t> payload;  // the object's data, already encoded
};

DatafileEntry bitmapEntry(int width, int height, int r, int g, int b);
// A bitmap whose left half is magic pink (transparent) and right half solid.
DatafileEntry halfMaskedBitmapEntry(int width, int height, int r, int g, int b);
DatafileEntry dataEntry(const std::string& bytes);
DatafileEntry nestedEntry(const std::vector<DatafileEntry>& entries);

void writeDatafile(const std::string& path, const std::vector<DatafileEntry>& entries);

}  // namespace testsupport
