// One frame of the screen's present + flip beside the same blits done
// directly with Allegro, on a memory "display" at 800 x 600, 16 bits.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "engine/drawable.h"
#include "engine/screen.h"
#include "engine/tile_map.h"

namespace {

const int kWidth = 800, kHeight = 600;
const int kTile = 80, kSpriteSize = 64, kSpriteCount = 60;

struct Art {
  BITMAP* background;
  BITMAP* tile;
  BITMAP* sprite;
};

BITMAP* maskedSquare(int size, int colour) {
  BITMAP* b = create_bitmap(size, size);
  clear_to_color(b, bitmap_mask_color(b));
  circlefill(b, size / 2, size / 2, size / 2 - 2, colour);
  return b;
}

Art makeArt() {
  install_allegro(SYSTEM_NONE, &errno, atexit);
  set_color_depth(16);
  Art art{create_bitmap(kWidth, kHeight), maskedSquare(kTile, makecol(40, 160, 90)),
          maskedSquare(kSpriteSize, makecol(250, 170, 40))};
  clear_to_color(art.background, makecol(20, 70, 140));
  if (!::screen) ::screen = create_bitmap(kWidth, kHeight);
  return art;
}

const Art& art() {
  static Art shared = makeArt();
  return shared;
}

struct Picture : Drawable {
  BITMAP* bitmap;
  bool masked;
  Picture(BITMAP* b, bool isMasked) : bitmap(b), masked(isMasked) {}
  void updateBounds() override {
    left = static_cast<int>(x);
    top = static_cast<int>(y);
    right = left + bitmap->w;
    bottom = top + bitmap->h;
  }
  void draw(BITMAP* target) override {
    if (masked) {
      draw_sprite(target, bitmap, static_cast<int>(x), static_cast<int>(y));
    } else {
      blit(bitmap, target, 0, 0, static_cast<int>(x), static_cast<int>(y), bitmap->w, bitmap->h);
    }
  }
};

struct SpriteTiles : TileMap {
  void drawTile(BITMAP* target, int sx, int sy, int) override { draw_sprite(target, art().tile, sx, sy); }
};

void spritePosition(int i, int& x, int& y) {
  x = (i * 97) % (kWidth - kSpriteSize);
  y = (i * 61) % (kHeight - kSpriteSize);
}

void BM_ScreenPresentAndFlip(benchmark::State& state) {
  const Art& a = art();
  Screen screen(kWidth, kHeight, Screen::Offscreen{});
  screen.layers.resize(5);
  Picture background(a.background, false);
  screen.addToLayer(&background, 0);
  SpriteTiles tiles[2];
  for (int layer = 0; layer < 2; ++layer) {
    tiles[layer].tileWidth = tiles[layer].tileHeight = kTile;
    for (int c = 0; c < kWidth / kTile; ++c) {
      for (int r = 0; r < kHeight / kTile + 1; ++r) tiles[layer].setCell(c, r, 1);
    }
    screen.addToLayer(&tiles[layer], 1 + 2 * layer);
  }
  std::vector<Picture*> sprites;
  for (int i = 0; i < kSpriteCount; ++i) {
    auto* p = new Picture(a.sprite, true);
    int x, y;
    spritePosition(i, x, y);
    p->setPosition(x, y);
    sprites.push_back(p);
    screen.addToLayer(p, 2);
  }
  for (auto _ : state) {
    clear_bitmap(screen.backBuffer);
    screen.present();
    screen.flip();
    benchmark::ClobberMemory();
  }
  for (Picture* p : sprites) delete p;
}
BENCHMARK(BM_ScreenPresentAndFlip)->Unit(benchmark::kMicrosecond);

void BM_RawAllegroBlits(benchmark::State& state) {
  const Art& a = art();
  BITMAP* back = create_bitmap(kWidth, kHeight);
  for (auto _ : state) {
    clear_bitmap(back);
    blit(a.background, back, 0, 0, 0, 0, kWidth, kHeight);
    for (int layer = 0; layer < 2; ++layer) {
      for (int c = 0; c < kWidth / kTile; ++c) {
        for (int r = 0; r < kHeight / kTile + 1; ++r) draw_sprite(back, a.tile, c * kTile, r * kTile);
      }
      if (layer == 0) {
        for (int i = 0; i < kSpriteCount; ++i) {
          int x, y;
          spritePosition(i, x, y);
          draw_sprite(back, a.sprite, x, y);
        }
      }
    }
    blit(back, ::screen, 0, 0, 0, 0, kWidth, kHeight);
    benchmark::ClobberMemory();
  }
  destroy_bitmap(back);
}
BENCHMARK(BM_RawAllegroBlits)->Unit(benchmark::kMicrosecond);

}  // namespace
