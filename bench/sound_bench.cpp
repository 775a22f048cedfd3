// Cost of the music path: decoding one second of the streamed title tune.
//   run from the build folder: bench/sound_bench
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "sound/ogg_decoder.h"

namespace {

const int kChunkFrames = 8192;

std::string titleTune() {
  const char* dir = std::getenv("TIDEWELL_GAME_DIR");
  return std::string(dir ? dir : "game") + "/mus/title.ogg";
}

// Decodes one second at a time, starting over at the end like a loop.
void DecodeOneSecondOfMusic(benchmark::State& state) {
  OggDecoder decoder;
  if (!decoder.open(titleTune())) {
    state.SkipWithError("no baked title tune; run from the build folder");
    return;
  }
  std::vector<unsigned short> buffer(kChunkFrames * decoder.channels());
  for (auto _ : state) {
    int left = decoder.rate();
    while (left > 0) {
      int got = decoder.read(buffer.data(), std::min(left, kChunkFrames));
      if (got == 0) {
        decoder.rewind();
        continue;
      }
      left -= got;
    }
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetLabel("one second of 44.1 kHz stereo");
}
BENCHMARK(DecodeOneSecondOfMusic)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
