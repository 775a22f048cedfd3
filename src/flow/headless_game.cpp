#include "flow/headless_game.h"

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "engine/log.h"
#include "engine/screen.h"
#include "sound/sound_manager.h"

namespace {

const int kScreenW = 800, kScreenH = 600;
const int kColourDepth = 16;  // the depth the game's window gets first

int reportedErrors = 0;

void reportError(const std::string& text) {
  ++reportedErrors;
  std::fprintf(stderr, "tidewell: error: %s\n", text.c_str());
}

}  // namespace

bool HeadlessGame::start() {
  setFatalMode(false);
  setMessageBoxFunction(reportError);
  reportedErrors = 0;
  // No system driver: no display, keyboard, timer or sound card, so no X
  // connection either; the sound manager stays silent without one.
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
    std::fprintf(stderr, "tidewell: Allegro cannot start: %s\n", allegro_error);
    return false;
  }
  set_color_depth(kColourDepth);
  display = create_bitmap(kScreenW, kScreenH);
  ::screen = display;
  app.skipFades = true;
  app.sound = new SoundManager();
  app.screen = new Screen(kScreenW, kScreenH, Screen::Offscreen{});
  app.initGame();
  started = true;
  return true;
}

HeadlessGame::~HeadlessGame() {
  if (!started) return;
  ::screen = nullptr;  // Allegro's exit would take the bitmap along
  destroy_bitmap(display);
  app.shutdown();
  setMessageBoxFunction(nullptr);
}

int HeadlessGame::errors() const { return reportedErrors; }
