#include "engine/display_scaler.h"

#include <allegro.h>

#include <algorithm>
#include <string>

#include "engine/log.h"

namespace {

const int kLargestMultiple = 3;  // the options offer 1x to 3x
DisplayScaler* current = nullptr;

// Allegro has just stored the pointer in window pixels; the game reads
// frame pixels. Runs on the input thread after each mouse event.
void mapMouseToFrame(int) {
  if (!current) return;
  mouse_x = current->frameX(mouse_x);
  mouse_y = current->frameY(mouse_y);
}

ScaledLayout filling(int width, int height) { return {width, height, 0, 0, width, height}; }

// The frame's shape at the largest size within the box, centred in it.
ScaledLayout letterboxed(int frameW, int frameH, int boxW, int boxH) {
  int pictureW = boxW, pictureH = boxH;
  if (static_cast<long long>(boxW) * frameH > static_cast<long long>(boxH) * frameW) {
    pictureW = static_cast<int>(static_cast<long long>(frameW) * boxH / frameH);
  } else {
    pictureH = static_cast<int>(static_cast<long long>(frameH) * boxW / frameW);
  }
  return {boxW, boxH, (boxW - pictureW) / 2, (boxH - pictureH) / 2, pictureW, pictureH};
}

ScaledLayout fitting(int frameW, int frameH, int desktopW, int desktopH) {
  int multiple = std::min(desktopW / frameW, desktopH / frameH);
  if (multiple >= 1) return filling(frameW * multiple, frameH * multiple);
  ScaledLayout shrunk = letterboxed(frameW, frameH, desktopW, desktopH);
  return filling(shrunk.pictureWidth, shrunk.pictureHeight);
}

}  // namespace

ScaledLayout layoutFor(int frameW, int frameH, int choice, int desktopW, int desktopH) {
  if (frameW <= 0 || frameH <= 0) return filling(0, 0);
  if (choice >= 1 && choice <= kLargestMultiple) return filling(frameW * choice, frameH * choice);
  bool desktopKnown = desktopW > 0 && desktopH > 0;
  if (choice == kWindowFit && desktopKnown) return fitting(frameW, frameH, desktopW, desktopH);
  if (choice == kWindowDesktopFull && desktopKnown) return letterboxed(frameW, frameH, desktopW, desktopH);
  return filling(frameW, frameH);
}

DisplayScaler* DisplayScaler::active() { return current; }

bool DisplayScaler::apply(int frameW, int frameH, int choice) {
  close();
  int desktopW = 0, desktopH = 0;
  if (get_desktop_resolution(&desktopW, &desktopH) != 0) desktopW = desktopH = 0;
  ScaledLayout layout = layoutFor(frameW, frameH, choice, desktopW, desktopH);
  bool oneToOne = layout.windowWidth == frameW && layout.windowHeight == frameH &&
                  layout.pictureWidth == frameW && layout.pictureHeight == frameH;
  bool windowOpen = oneToOne ||
                    set_gfx_mode(GFX_AUTODETECT_WINDOWED, layout.windowWidth, layout.windowHeight, 0, 0) == 0;
  if (!windowOpen) {
    log("Could not open a " + std::to_string(layout.windowWidth) + " x " +
            std::to_string(layout.windowHeight) + " window; showing the frame at its own size",
        false);
  }
  if (oneToOne || !windowOpen) {
    // Back to the frame's own window, unless it is already that.
    if (SCREEN_W != frameW || SCREEN_H != frameH) set_gfx_mode(GFX_AUTODETECT_WINDOWED, frameW, frameH, 0, 0);
    return windowOpen;
  }
  clear_to_color(::screen, makecol(0, 0, 0));  // the bars
  current = new DisplayScaler(frameW, frameH, layout);
  mouse_callback = mapMouseToFrame;
  return true;
}

DisplayScaler* DisplayScaler::adopt(int frameW, int frameH, const ScaledLayout& layout) {
  close();
  current = new DisplayScaler(frameW, frameH, layout);
  return current;
}

void DisplayScaler::close() {
  if (!current) return;
  mouse_callback = nullptr;
  delete current;
  current = nullptr;
}

DisplayScaler::DisplayScaler(int frameW, int frameH, const ScaledLayout& layout)
    : frameWidth(frameW), frameHeight(frameH), placed(layout) {
  picture = create_bitmap(layout.pictureWidth, layout.pictureHeight);
  if (picture) clear_bitmap(picture);
}

DisplayScaler::~DisplayScaler() {
  if (picture) destroy_bitmap(picture);
}

void DisplayScaler::upload(BITMAP* frame) {
  if (!frame || !picture || !::screen) return;
  stretch_blit(frame, picture, 0, 0, frameWidth, frameHeight, 0, 0, placed.pictureWidth, placed.pictureHeight);
  blit(picture, ::screen, 0, 0, placed.pictureX, placed.pictureY, placed.pictureWidth, placed.pictureHeight);
}

int DisplayScaler::frameX(int windowX) const {
  int x = (windowX - placed.pictureX) * frameWidth / placed.pictureWidth;
  return std::clamp(x, 0, frameWidth - 1);
}

int DisplayScaler::frameY(int windowY) const {
  int y = (windowY - placed.pictureY) * frameHeight / placed.pictureHeight;
  return std::clamp(y, 0, frameHeight - 1);
}
