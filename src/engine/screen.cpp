#include "engine/screen.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "engine/display_scaler.h"
#include "engine/drawable.h"
#include "engine/log.h"

namespace {
const int kColourDepths[] = {16, 15, 32, 24};  // tried in this order
const float kWaveSpeed = 10.0f;                // phase units per second
const float kWavePhaseLimit = 1000.0f;
const int kWaveRowWidth = 800;
const int kWaterLayer = 2;

// The wave's sine from a table with linear steps, off by under 1e-6; near a
// whole pixel the exact sine decides, so every row shifts as it always has.
const int kSineSteps = 4096;  // per turn; a power of two
const double kStepsPerRadian = kSineSteps / 6.283185307179586;
const float kExactBand = 1e-3f;  // pixels either side of a whole shift

struct SineTable {
  float value[kSineSteps + 1];
  SineTable() {
    for (int i = 0; i <= kSineSteps; ++i) value[i] = static_cast<float>(std::sin(i / kStepsPerRadian));
  }
};

// Memory bitmaps of one depth, the target clipped to its whole self: a
// row blit is then a plain copy, which saves Allegro's per-call set-up on
// each of the wave's rows.
bool copiesRowsDirectly(BITMAP* from, BITMAP* to) {
  return is_memory_bitmap(from) && is_memory_bitmap(to) && bitmap_color_depth(from) == bitmap_color_depth(to) &&
         to->cl == 0 && to->ct == 0 && to->cr == to->w && to->cb == to->h;
}

// blit(from, to, 0, row, shift, row, width, 1), clipped as blit clips.
void copyRowShifted(BITMAP* from, BITMAP* to, int row, int shift, int width) {
  int sourceX = 0, targetX = shift;
  width = std::min(width, from->w);
  if (targetX < 0) {
    width += targetX;
    sourceX = -targetX;
    targetX = 0;
  }
  width = std::min(width, to->w - targetX);
  if (width <= 0) return;
  int bytes = (bitmap_color_depth(to) + 7) / 8;
  std::memmove(to->line[row] + targetX * bytes, from->line[row] + sourceX * bytes, size_t(width) * bytes);
}

float tableSine(float radians) {
  static const SineTable table;
  double position = radians * kStepsPerRadian;
  double whole = std::floor(position);
  int index = static_cast<int>(static_cast<long long>(whole) & (kSineSteps - 1));
  float within = static_cast<float>(position - whole);
  return table.value[index] + (table.value[index + 1] - table.value[index]) * within;
}
}  // namespace

Screen* Screen::current = nullptr;

Screen::Screen(int w, int h, bool full)
    : width(w), height(h), fullscreen(full),
      gfxCard(full ? GFX_AUTODETECT_FULLSCREEN : GFX_AUTODETECT_WINDOWED), layers(1) {
  int depth = 0;
  for (int candidate : kColourDepths) {
    set_color_depth(candidate);
    if (set_gfx_mode(gfxCard, width, height, 0, 0) == 0) {
      depth = candidate;
      break;
    }
  }
  if (depth == 0) {
    log(std::string("Failed to initialize graphics. ") + (fullscreen ? "(fullscreen)" : "(windowed)"),
        true);
    return;
  }
  logInfo("Initialized (" + std::to_string(width) + "," + std::to_string(height) + ") - " +
          std::to_string(depth) + " bit color");
  current = this;
  createBuffers(width, height);
  setDisplaySize(SCREEN_W, SCREEN_H);
}

Screen::Screen(int w, int h, Offscreen)
    : width(w), height(h), gfxCard(GFX_AUTODETECT_WINDOWED), layers(1) {
  current = this;
  createBuffers(width, height);
  setDisplaySize(w, h);
}

Screen::~Screen() {
  for (Layer& layer : layers) layer.drawables.clear();
  destroyBuffers();
  if (current == this) current = nullptr;
}

void Screen::createBuffers(int bufferWidth, int bufferHeight) {
  backBuffer = create_bitmap(bufferWidth, bufferHeight);
  snapshotBuffer = create_bitmap(bufferWidth, bufferHeight);
  waveBuffer = create_bitmap(bufferWidth, bufferHeight);
  waveShownOn = nullptr;
}

void Screen::destroyBuffers() {
  if (backBuffer) destroy_bitmap(backBuffer);
  if (snapshotBuffer) destroy_bitmap(snapshotBuffer);
  if (waveBuffer) destroy_bitmap(waveBuffer);
  backBuffer = snapshotBuffer = waveBuffer = nullptr;
  waveShownOn = nullptr;
}

void Screen::setDisplaySize(int w, int h) {
  displayWidth = w;
  displayHeight = h;
  halfWidth = w / 2;
  halfHeight = h / 2;
}

void Screen::changeResolution(int newWidth, int newHeight) {
  if (newWidth == width && newHeight == height) return;
  int card = fullscreen ? GFX_AUTODETECT_FULLSCREEN : GFX_AUTODETECT_WINDOWED;
  if (set_gfx_mode(card, newWidth, newHeight, 0, 0) != 0) {
    log("failed to change resolutions", true);
  }
  destroyBuffers();
  createBuffers(newWidth, newHeight);
  width = newWidth;
  height = newHeight;
  setDisplaySize(newWidth, newHeight);
}

bool Screen::layerInRange(int layer) const {
  if (layer >= 0 && layer < static_cast<int>(layers.size())) return true;
  log("Layer #" + std::to_string(layer) + " out of range", true);
  return false;
}

void Screen::addToLayer(Drawable* drawable, int layer) {
  if (!layerInRange(layer)) return;
  layers[layer].drawables.push_back(drawable);
}

void Screen::removeFromLayer(Drawable* drawable, int layer) {
  if (!layerInRange(layer)) return;
  std::vector<Drawable*>& list = layers[layer].drawables;
  auto found = std::find(list.begin(), list.end(), drawable);
  if (found != list.end()) list.erase(found);
}

void Screen::setCameraTarget(Drawable* target) {
  cameraTarget = target;
  if (target) return;
  for (Layer& layer : layers) layer.offsetX = layer.offsetY = 0;
}

void Screen::update(float dt) {
  if (waterEffect) {
    wavePhase += dt * kWaveSpeed;
    if (wavePhase > kWavePhaseLimit) wavePhase = 0.0f;
  }
  for (Layer& layer : layers) {
    // By index: an update may add drawables to the layer it stands on.
    for (size_t i = 0; i < layer.drawables.size(); ++i) layer.drawables[i]->update(dt);
  }
}

void Screen::present() { present(backBuffer); }

void Screen::followCamera(Layer& layer) {
  if (!cameraTarget || !layer.followsCamera) return;
  layer.offsetX = halfWidth - static_cast<int>(cameraTarget->cameraOffsetX + cameraTarget->x);
  layer.offsetY = halfHeight - static_cast<int>(cameraTarget->cameraOffsetY + cameraTarget->y);
}

bool Screen::onScreen(const Layer& layer, Drawable& drawable) const {
  BoundingBox box = drawable.boundingBox();
  if (!layer.followsCamera || !drawable.cullable) return true;
  const Screen* screen = current ? current : this;
  int minX = -layer.offsetX, maxX = screen->width - layer.offsetX;
  int minY = -layer.offsetY, maxY = screen->height - layer.offsetY;
  const int points[5][2] = {{static_cast<int>(drawable.x), static_cast<int>(drawable.y)},
                            {box.left, box.top},
                            {box.right, box.top},
                            {box.left, box.bottom},
                            {box.right, box.bottom}};
  for (const auto& p : points) {
    if (p[0] >= minX && p[0] <= maxX && p[1] >= minY && p[1] <= maxY) return true;
  }
  return false;
}

void Screen::present(BITMAP* target) {
  for (Layer& layer : layers) {
    followCamera(layer);
    layer.sortDrawables();
    for (Drawable* drawable : layer.drawables) {
      if (!onScreen(layer, *drawable)) continue;
      drawable->savePosition();
      drawable->x += layer.offsetX;
      drawable->y += layer.offsetY;
      drawable->draw(target);
      drawable->restorePosition();
    }
  }
}

void Screen::flip() {
  if (!waterEffect || !waveBuffer) {
    uploadFrame(backBuffer);
    waveShownOn = nullptr;
    return;
  }
  // The first wavy frame on this display starts from what it shows; a
  // scaled window shows the frame only through the scaler.
  if (waveShownOn != ::screen) {
    blit(DisplayScaler::active() ? backBuffer : ::screen, waveBuffer, 0, 0, 0, 0, width, height);
  }
  buildWave();
  uploadFrame(waveBuffer);
  waveShownOn = ::screen;
}

void Screen::buildWave() {
  int scrollY = layers.size() > kWaterLayer ? layers[kWaterLayer].offsetY : 0;
  bool direct = copiesRowsDirectly(backBuffer, waveBuffer);
  for (int row = 0; row < height; ++row) {
    int shift = waveShift(row, scrollY);
    if (direct && row < backBuffer->h && row < waveBuffer->h) {
      copyRowShifted(backBuffer, waveBuffer, row, shift, kWaveRowWidth);
    } else {
      blit(backBuffer, waveBuffer, 0, row, shift, row, kWaveRowWidth, 1);
    }
  }
}

int Screen::waveShift(int row, int scrollY) const {
  float radians = (row - scrollY) / waveLength + wavePhase;
  float shift = -tableSine(radians) * waveAmplitude;
  // Rounding half away from zero by hand: only the distance to the
  // nearest whole shift counts, the same at .5 whichever way it rounds.
  float nearest = static_cast<float>(static_cast<int>(shift + (shift < 0.0f ? -0.5f : 0.5f)));
  if (std::fabs(shift - nearest) > kExactBand) return static_cast<int>(shift);
  return static_cast<int>(-std::sin(radians) * waveAmplitude);
}

void Screen::uploadFrame(BITMAP* frame) {
  // A window larger than the frame takes it scaled, still in one upload.
  if (DisplayScaler* scaler = DisplayScaler::active()) {
    scaler->upload(frame);
    return;
  }
  blit(frame, ::screen, 0, 0, 0, 0, width, height);
}

void Screen::snapshot() { blit(backBuffer, snapshotBuffer, 0, 0, 0, 0, width, height); }
