// "settings.cfg": every value read is finite and the display size asked for
// is always one the display can take.
#include <cmath>
#include <cstdint>
#include <map>
#include <sstream>

#include "engine/engine.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startFuzzing();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(textOf(data, size));
  std::map<std::string, float> settings;
  readSettings(in, settings);
  for (const auto& [name, value] : settings) require(std::isfinite(value), "finite setting");
  for (bool restricted : {false, true}) {
    DisplaySize display = displaySizeFor(settings["resx"], settings["resy"], restricted);
    require(display.width >= 320 && display.width <= 4096, "display width in range");
    require(display.height >= 240 && display.height <= 4096, "display height in range");
  }
  nextFrameDeadline(0.0, 0.0, settings["maxfps"]);
  return 0;
}
