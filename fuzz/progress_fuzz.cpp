// Progress files ("profiles/<name>.dat", an Allegro packfile): any bytes
// load without harm, and what was loaded survives a save and a second load
// unchanged.
#include <cstdint>
#include <fstream>

#include "flow/profile_store.h"
#include "fuzz_support.h"

namespace {

int at(const std::map<int, int>& table, int level) {
  auto found = table.find(level);
  return found == table.end() ? 0 : found->second;
}

bool sameProgress(const ProfileProgress& a, const ProfileProgress& b) {
  if (a.levelsBeaten != b.levelsBeaten || a.bubbleLimit != b.bubbleLimit || a.coins != b.coins)
    return false;
  if ((a.waterEffect & 0xFF) != (b.waterEffect & 0xFF) ||
      (a.highResolution & 0xFF) != (b.highResolution & 0xFF) ||
      (a.fullScreen & 0xFF) != (b.fullScreen & 0xFF))
    return false;
  for (int level = 0; level < kStoredLevels; ++level) {
    if (at(a.ratings, level) != at(b.ratings, level)) return false;
    if (at(a.bestTimes, level) != at(b.bestTimes, level)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startFuzzing();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream out("input.dat", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  ProfileProgress loaded;
  if (!readProgressFile("input.dat", loaded)) return 0;
  require(writeProgressFile("profiles/saved.dat", loaded), "save of what was loaded");
  ProfileProgress again;
  require(readProgressFile("profiles/saved.dat", again), "load of what was saved");
  require(sameProgress(loaded, again), "save then load keeps every value");
  return 0;
}
