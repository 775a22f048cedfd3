#pragma once
#include <cstdint>
#include <vector>

namespace bake {

// A rendered picture in cairo's layout: 0xAARRGGBB words with the colour
// premultiplied by alpha.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;
};

}  // namespace bake
