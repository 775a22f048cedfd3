// The cost of getting one 800 x 600 frame (16 bits) to the display at 1x,
// 2x and 3x, still and through the water wave: the screen's flip, with the
// display scaler in force for 2x and 3x, onto a memory "display" of the
// window's size.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdlib>

#include "engine/display_scaler.h"
#include "engine/screen.h"

namespace {

const int kWidth = 800, kHeight = 600;

void startAllegro() {
  static bool started = false;
  if (started) return;
  install_allegro(SYSTEM_NONE, &errno, atexit);
  set_color_depth(16);
  started = true;
}

// A busy picture: every row differs, so nothing compresses or repeats.
void paint(BITMAP* frame) {
  for (int y = 0; y < frame->h; ++y) {
    for (int x = 0; x < frame->w; x += 4) putpixel(frame, x, y, makecol(x & 255, y & 255, (x ^ y) & 255));
  }
}

void BM_FrameToDisplay(benchmark::State& state) {
  startAllegro();
  int scale = static_cast<int>(state.range(0));
  bool wave = state.range(1) != 0;
  BITMAP* display = create_bitmap(kWidth * scale, kHeight * scale);
  BITMAP* previous = ::screen;
  ::screen = display;
  Screen screen(kWidth, kHeight, Screen::Offscreen{});
  screen.layers.resize(5);
  screen.waterEffect = wave;
  paint(screen.backBuffer);
  if (scale > 1) {
    DisplayScaler::adopt(kWidth, kHeight, layoutFor(kWidth, kHeight, scale, 0, 0));
  }
  for (auto _ : state) {
    screen.flip();
    benchmark::ClobberMemory();
  }
  DisplayScaler::close();
  ::screen = previous;
  destroy_bitmap(display);
  state.SetLabel(std::to_string(scale) + "x" + (wave ? " wave" : ""));
}
BENCHMARK(BM_FrameToDisplay)
    ->ArgsProduct({{1, 2, 3}, {0, 1}})
    ->ArgNames({"scale", "wave"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
