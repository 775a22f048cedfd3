// Ogg Vorbis files (effects and music) through the game's decoder: any
// bytes open or are refused without harm, decode in reads that stay within
// what was asked, and decode again after a rewind, as looped music does.
#include <cstdint>
#include <fstream>
#include <vector>

#include "fuzz_support.h"
#include "sound/ogg_decoder.h"

namespace {

// Enough for a few seconds of any effect; a campaign stays quick.
const int kMaxFrames = 1 << 18;
const int kChunkFrames = 4096;

void decodeAll(OggDecoder& decoder) {
  std::vector<unsigned short> chunk(kChunkFrames * 2);
  int frames = 0;
  while (frames < kMaxFrames) {
    int got = decoder.read(chunk.data(), kChunkFrames);
    require(got >= 0 && got <= kChunkFrames, "a read stays within the frames asked for");
    if (got == 0) break;
    frames += got;
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startFuzzing();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream out("input.ogg", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  OggDecoder decoder;
  if (!decoder.open("input.ogg")) {
    require(!decoder.isOpen(), "a refused file leaves nothing open");
    return 0;
  }
  require(decoder.rate() > 0, "an opened stream has a rate");
  require(decoder.channels() == 1 || decoder.channels() == 2, "one or two channels out");
  decodeAll(decoder);
  if (decoder.rewind()) decodeAll(decoder);
  return 0;
}
