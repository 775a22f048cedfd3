// "volume.cfg": both volumes are either absent or within 0..255.
#include <cstdint>
#include <sstream>

#include "fuzz_support.h"
#include "sound/sound_manager.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startFuzzing();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(textOf(data, size));
  StoredVolumes stored = readVolumes(in);
  require(stored.sfx == -1 || (stored.sfx >= 0 && stored.sfx <= 255), "effects volume");
  require(stored.music == -1 || (stored.music >= 0 && stored.music <= 255), "music volume");
  require(stored.music == -1 || stored.sfx != -1, "music only after effects");
  return 0;
}
