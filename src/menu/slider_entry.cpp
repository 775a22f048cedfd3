#include "menu/slider_entry.h"

#include <allegro.h>

#include <algorithm>
#include <utility>

#include "menu/menu.h"

namespace {

const float kKeySweepPerS = 200.0f;  // value units per second while a key is held
const int kBarOffsetX = 64;          // px right of x
const int kBarWidth = 100;
const int kBarHeight = 10;
// The mouse scale spans x + 100 … x + 200; x + 80 … x + 100 means zero.
const int kScaleLeft = 100;
const int kScaleRight = 200;
const int kZeroZoneLeft = 80;
const int kBandAbove = 5;   // px above y still in the mouse band
const int kBandBelow = 15;  // px below y

}  // namespace

SliderEntry::SliderEntry(int initial, int limit, std::function<void(int)> changed)
    : value(initial), maximum(limit), onChange(std::move(changed)) {
  bindKey("left", KEY_LEFT);
  bindKey("right", KEY_RIGHT);
}

void SliderEntry::step(float dt) {
  if (!updateLine(dt)) return;
  if (highlighted) stepKeys(dt);
  if (!owner->mouseLocked) stepMouse();
}

// A held key counts as a change even against the end stop, so the listener
// hears about it every update.
void SliderEntry::stepKeys(float dt) {
  bool moved = false;
  if (isDown("left")) {
    value = static_cast<int>(value - dt * kKeySweepPerS);
    moved = true;
  } else if (isDown("right")) {
    value = static_cast<int>(value + dt * kKeySweepPerS);
    moved = true;
  }
  value = std::clamp(value, 0, std::max(maximum, 0));
  if (moved && onChange) onChange(value);
}

void SliderEntry::stepMouse() {
  if (!(mouse_b & 1)) return;
  if (!(mouse_y > y - kBandAbove && mouse_y < y + kBandBelow)) return;
  if (mouse_x > x + kScaleLeft && mouse_x < x + kScaleRight) {
    value = static_cast<int>((mouse_x - (x + kScaleLeft)) * maximum * 0.01);
  } else if (mouse_x > x + kZeroZoneLeft && mouse_x < x + kScaleLeft) {
    value = 0;
  }
  if (onChange) onChange(value);
}

int SliderEntry::shownRight() {
  return std::max(MenuEntry::shownRight(), static_cast<int>(x) + kBarOffsetX + kBarWidth);
}

void SliderEntry::draw(BITMAP* target) {
  MenuEntry::draw(target);
  if (!enabled || !target) return;
  int bx = static_cast<int>(x) + kBarOffsetX, by = static_cast<int>(y);
  // A maximum of 0 would divide by zero; such a slider has no bar.
  int filled = maximum > 0 ? value * kBarWidth / maximum : 0;
  rectfill(target, bx, by, bx + filled, by + kBarHeight, makecol(255, 0, 0));
  rect(target, bx, by, bx + kBarWidth, by + kBarHeight, makecol(255, 255, 255));
}
