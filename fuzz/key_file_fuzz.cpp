// Key files: whatever the text, every code that ends up bound is one the
// input map knows, the player's actions stay bound, and polling the result
// is defined behaviour.
#include <allegro.h>

#include <cstdint>
#include <sstream>

#include "engine/input_map.h"
#include "fuzz_support.h"

namespace {

struct Bindings : InputMap {
  void onAction(const std::string&, bool) override {}
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startFuzzing();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bindings map;
  for (const char* action : {"down", "fire", "left", "right", "up"}) map.bindKey(action, KEY_SPACE);
  std::istringstream in(textOf(data, size));
  map.load(in, "fuzz");
  require(map.bindings.size() == 5, "only existing actions change");
  for (const auto& [action, codes] : map.bindings) {
    require(!codes.empty(), "every action keeps a code");
    for (int code : codes) require(isKnownInputCode(code), "known code");
  }
  map.poll();
  return 0;
}
