// The particle system's per-frame cost: updating and drawing a busy scene
// of bitmap particles from the baked "particles.dat" onto a 16-bit buffer.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdlib>

#include "engine/datafile_cache.h"
#include "engine/particle_system.h"

namespace {

void startAllegro() {
  static bool started = false;
  if (started) return;
  started = true;
  install_allegro(SYSTEM_NONE, &errno, atexit);
  set_color_depth(16);
  DatafileCache::instance().setDirectory(TIDEWELL_GAME_DIR "/dat/");
}

// Keeps about `count` particles alive by topping the system up each frame.
void BM_ParticleFrame(benchmark::State& state) {
  startAllegro();
  srand(1);
  int count = static_cast<int>(state.range(0));
  ParticleSystem system;
  system.bitmapIndex = 1;
  BITMAP* target = create_bitmap(800, 600);
  for (auto _ : state) {
    if (system.particleCount() < count) system.burst(400, 300, count - system.particleCount(), -1);
    system.update(0.01f);
    system.draw(target);
    benchmark::ClobberMemory();
  }
  state.counters["particles"] = system.particleCount();
  destroy_bitmap(target);
}
BENCHMARK(BM_ParticleFrame)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
