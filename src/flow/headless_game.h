#pragma once
#include "flow/game_app.h"

struct BITMAP;

// The real game without a window or an audio device, for runs nobody
// watches (demo verification, level previews): Allegro starts without a
// system driver (no X display needed), an 800 x 600 memory bitmap stands in
// for the display, the sound manager finds no card, fades end at once, and
// errors go to stderr and are counted instead of ending the process.
class HeadlessGame {
 public:
  HeadlessGame() = default;
  ~HeadlessGame();
  HeadlessGame(const HeadlessGame&) = delete;
  HeadlessGame& operator=(const HeadlessGame&) = delete;

  // Starts Allegro and the game's part of init: the logo, or app's
  // launchLevel when set before. False, with the reason on stderr, when
  // Allegro cannot start.
  bool start();
  // Errors the game reported since start.
  int errors() const;

  GameApp app;

 private:
  BITMAP* display = nullptr;
  bool started = false;
};
