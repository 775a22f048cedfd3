#pragma once

struct BITMAP;

// The "windowsize" setting: how the window shows the game's frame. Files
// without the key (and 0) keep the frame's own window.
enum WindowSizeChoice {
  kWindowOneTimes = 1,
  kWindowTwoTimes = 2,
  kWindowThreeTimes = 3,
  kWindowFit = 4,         // the largest whole multiple that fits the desktop
  kWindowDesktopFull = 5  // a desktop-sized window, the frame letterboxed
};

// Where a scaled frame goes: the window's size and the picture's place in
// it, in window pixels. The rest of the window is black.
struct ScaledLayout {
  int windowWidth, windowHeight;
  int pictureX, pictureY, pictureWidth, pictureHeight;
};

// The layout for a frame of frameW x frameH under choice on a desktop of
// desktopW x desktopH. "Fit" takes the largest whole multiple that fits and,
// when not even 1x fits, the largest size of the frame's shape that does.
// An unknown choice, or an unknown desktop where one is needed, gives 1x.
ScaledLayout layoutFor(int frameW, int frameH, int choice, int desktopW, int desktopH);

// Shows the frame in a window larger than it: each frame is scaled with
// sharp pixels (nearest neighbour) into a picture bitmap and copied to the
// window in one blit, and the mouse is read back in frame pixels.
class DisplayScaler {
 public:
  // The scaler in force; null while the window shows the frame 1:1.
  static DisplayScaler* active();
  // Opens the window choice asks for over a frame of frameW x frameH (a new
  // windowed mode, the colour depth kept). 1x, or a window that cannot be
  // opened (false), leaves the frame's own window and no scaler.
  static bool apply(int frameW, int frameH, int choice);
  // Drops the scaler; the caller sets the mode it wants.
  static void close();
  // Puts a scaler for layout in force over the display the caller has set
  // itself (a memory screen in benchmarks); no mode is set.
  static DisplayScaler* adopt(int frameW, int frameH, const ScaledLayout& layout);

  const ScaledLayout& layout() const { return placed; }
  // Scales frame into the picture and copies that to the display.
  void upload(BITMAP* frame);
  // A window position as a frame position, clamped to the frame.
  int frameX(int windowX) const;
  int frameY(int windowY) const;

 private:
  DisplayScaler(int frameW, int frameH, const ScaledLayout& layout);
  ~DisplayScaler();
  DisplayScaler(const DisplayScaler&) = delete;
  DisplayScaler& operator=(const DisplayScaler&) = delete;

  int frameWidth, frameHeight;
  ScaledLayout placed;
  BITMAP* picture = nullptr;  // owned; the scaled frame
};
