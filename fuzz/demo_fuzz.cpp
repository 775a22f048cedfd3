// Demo files: what parses is a demo the game could have recorded (a level
// it has, frame times of one pass, real keys, at most 660 s of play) and
// writes back to the same demo; what does not says which line.
#include <allegro.h>

#include <cstdint>
#include <string>

#include "flow/demo.h"
#include "flow/launch_options.h"
#include "fuzz_support.h"

namespace {

const double kLongestDemoS = 660.0;
const float kLongestPassS = 0.06666667f;

bool sameDemo(const Demo& a, const Demo& b) {
  if (a.level != b.level || a.seed != b.seed || a.passes.size() != b.passes.size()) return false;
  for (size_t i = 0; i < a.passes.size(); ++i) {
    const DemoPass& p = a.passes[i];
    const DemoPass& q = b.passes[i];
    if (p.dt != q.dt || p.keys.size() != q.keys.size()) return false;
    for (size_t k = 0; k < p.keys.size(); ++k)
      if (p.keys[k].code != q.keys[k].code || p.keys[k].down != q.keys[k].down) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startFuzzing();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Demo demo;
  std::string error;
  if (!parseDemo(textOf(data, size), demo, error)) {
    require(error.rfind("line ", 0) == 0, "an error names its line");
    return 0;
  }
  require(isPlayableLevel(demo.level), "a level the game has");
  double played = 0.0;
  for (const DemoPass& pass : demo.passes) {
    require(pass.dt >= 0.0f && pass.dt <= kLongestPassS, "a frame time of one pass");
    for (const KeyChange& change : pass.keys) require(change.code > 0 && change.code < KEY_MAX, "a real key");
    played += pass.dt;
  }
  require(played <= kLongestDemoS + 1e-3, "at most 660 s of play");
  Demo back;
  require(parseDemo(formatDemo(demo), back, error), "what is written reads back");
  require(sameDemo(demo, back), "and reads back the same");
  return 0;
}
