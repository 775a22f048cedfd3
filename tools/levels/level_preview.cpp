#include "level_preview.h"

#include <allegro.h>
#include <cairo.h>

#include <cstdint>
#include <cstring>
#include <utility>

#include "engine/screen.h"
#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/in_game_state.h"

namespace levels {
namespace {

const int kCellPx = 80;
const int kWideLevelPx = 100 * kCellPx;  // wider levels are drawn at a quarter
const int kHiddenLayers[] = {0, 4};      // the backdrop; banners, menus and the HUD
const int kWater[3] = {16, 48, 96};
const int kStartRing[3] = {255, 230, 0};
const int kStartRingWidthPx = 3;

// Moves the drawables of the screen-fixed layers aside while the level is
// drawn, and back afterwards.
class HiddenLayers {
 public:
  explicit HiddenLayers(Screen& shown) : screen(shown) { swapAll(); }
  ~HiddenLayers() { swapAll(); }

 private:
  Screen& screen;
  std::vector<Drawable*> kept[2];

  void swapAll() {
    for (int i = 0; i < 2; ++i)
      if (kHiddenLayers[i] < int(screen.layers.size())) std::swap(kept[i], screen.layers[kHiddenLayers[i]].drawables);
  }
};

// Composes the level one screen at a time, the camera on each in turn.
void drawWindows(GameApp& app, BITMAP* picture, int scale) {
  Screen& screen = *app.screen;
  HiddenLayers hidden(screen);
  int water = makecol(kWater[0], kWater[1], kWater[2]);
  for (int top = 0; top < app.levelHeight; top += screen.height) {
    for (int left = 0; left < app.levelWidth; left += screen.width) {
      clear_to_color(screen.backBuffer, water);
      app.camera.x = static_cast<float>(left + screen.halfWidth);
      app.camera.y = static_cast<float>(top + screen.halfHeight);
      screen.present(screen.backBuffer);
      stretch_blit(screen.backBuffer, picture, 0, 0, screen.width, screen.height, left / scale, top / scale,
                   screen.width / scale, screen.height / scale);
    }
  }
}

void ringStart(GameApp& app, BITMAP* picture, int scale) {
  if (!app.player) return;
  int colour = makecol(kStartRing[0], kStartRing[1], kStartRing[2]);
  int x = static_cast<int>(app.player->x) / scale, y = static_cast<int>(app.player->y) / scale;
  for (int i = 0; i < kStartRingWidthPx; ++i) circle(picture, x, y, kCellPx / 2 / scale - i, colour);
}

}  // namespace

BITMAP* drawLevelPreview(GameApp& app, int number) {
  app.currentLevel = number;
  // The same picture on every build: creatures placed by chance stay put.
  app.levelSeed = fixedLevelSeed(number);
  app.switchState("inGame");
  int scale = app.levelWidth > kWideLevelPx ? 4 : 2;
  BITMAP* picture = create_bitmap(app.levelWidth / scale, app.levelHeight / scale);
  if (!picture) return nullptr;
  drawWindows(app, picture, scale);
  ringStart(app, picture, scale);
  return picture;
}

bool writePng(BITMAP* picture, const std::string& path) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture->w, picture->h);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const int depth = bitmap_color_depth(picture);
  for (int y = 0; y < picture->h; ++y) {
    for (int x = 0; x < picture->w; ++x) {
      int c = getpixel(picture, x, y);
      uint32_t pixel = (uint32_t(getr_depth(depth, c)) << 16) | (uint32_t(getg_depth(depth, c)) << 8) |
                       uint32_t(getb_depth(depth, c));
      std::memcpy(data + y * stride + x * 4, &pixel, sizeof pixel);
    }
  }
  cairo_surface_mark_dirty(surface);
  bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}

}  // namespace levels
