// Route files: every step that parses is one the demo bot can follow (a
// cell inside the largest level, known keys, finite seconds within the
// level clock's cap); what does not says which line.
#include <allegro.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "flow/launch_options.h"
#include "fuzz_support.h"
#include "route.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startFuzzing();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Route route;
  std::string error;
  if (!parseRoute(textOf(data, size), route, error)) {
    require(error.rfind("line ", 0) == 0, "an error names its line");
    return 0;
  }
  require(isPlayableLevel(route.level), "a level the game has");
  for (const RouteStep& step : route.steps) {
    switch (step.kind) {
      case RouteStep::kGo:
        require(std::isfinite(step.x) && step.x >= 0.0f && step.x < 300.0f, "a column inside the level");
        require(step.y == -1.0f || (std::isfinite(step.y) && step.y >= 0.0f && step.y < 150.0f),
                "a row inside the level");
        break;
      case RouteStep::kHold:
        require(!step.keys.empty(), "keys to hold");
        for (int code : step.keys) require(code > 0 && code < KEY_MAX, "a real key");
        [[fallthrough]];
      case RouteStep::kWait:
      case RouteStep::kEnd:
        require(std::isfinite(step.seconds) && step.seconds > 0.0f && step.seconds <= 600.0f, "seconds in range");
        break;
      case RouteStep::kFire:
        require(step.facing >= -1 && step.facing <= 1, "a facing");
        break;
    }
  }
  return 0;
}
