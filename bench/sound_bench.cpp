// Cost of the music path: decoding one second of the streamed title tune.
//   run: build/bench/sound_bench (from any folder)
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "sound/ogg_decoder.h"

namespace {

const int kChunkFrames = 8192;

// The build's own game folder, so any working directory will do.
std::string titleTune() { return TIDEWELL_GAME_DIR "/mus/title.ogg"; }

// Decodes one second at a time, starting over at the end like a loop.
void DecodeOneSecondOfMusic(benchmark::State& state) {
  OggDecoder decoder;
  if (!decoder.open(titleTune())) {
    state.SkipWithError("no baked title tune; build the game_data target");
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
