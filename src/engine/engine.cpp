#include "engine/engine.h"

#include <allegro.h>
#include <sched.h>
#include <time.h>

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#include "engine/datafile_cache.h"
#include "engine/display_scaler.h"
#include "engine/game_paths.h"
#include "engine/gamepad.h"
#include "engine/key_events.h"
#include "engine/log.h"
#include "engine/pass_driver.h"
#include "engine/safe_file.h"
#include "engine/screen.h"
#include "engine/translucent.h"
#include "sound/sound_manager.h"

volatile int tickCount = 0;
Engine* Engine::instance = nullptr;

namespace {

const int kTickMs = 10;
const float kMaxFrameTime = 0.06666667f;  // one pass never advances more than 1/15 s
const int kFadeBufferWidth = 800;
const int kFadeBufferHeight = 600;
const int kDefaultWidth = 800, kDefaultHeight = 600;  // pixels
const int kLowWidth = 640;
// Display sizes outside these bounds are typing errors, not wishes.
const float kMinWidth = 320.0f, kMinHeight = 240.0f, kMaxSide = 4096.0f;
// "maxfps" is taken within these bounds: above the upper one a frame rests
// nothing anyway, and below one frame a second the rest would overflow.
const float kMinFpsLimit = 1.0f, kMaxFpsLimit = 1000.0f;
const char* const kKnownSettings[] = {"resx",   "resy",       "fullscreen", "enableAltEnter",
                                      "maxfps", "windowsize", "vsync"};
const size_t kMaxUnknownSettingChars = 32;
const int kMaxUnknownSettings = 8;

void tickHandler() { tickCount = tickCount + 1; }
END_OF_FUNCTION(tickHandler)

int assertHandler(const char* message) {
  log(message ? message : "", true);
  return 0;
}

double monotonicMs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// The game's own keys are always kept. Any other is kept only while short,
// a plain word and one of a few: a setting of a newer build, or one a part
// of the game reads without being listed here, survives a save, but junk
// never grows the file (each save writes back what was read).
bool keepSetting(const std::string& name, const std::map<std::string, float>& settings, int& unknownKept) {
  for (const char* known : kKnownSettings)
    if (name == known) return true;
  if (settings.count(name)) return true;
  bool plainWord = name.size() <= kMaxUnknownSettingChars &&
                   std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isalnum(c) || c == '_'; });
  if (!plainWord || unknownKept >= kMaxUnknownSettings) return false;
  unknownKept += 1;
  return true;
}

}  // namespace

Engine::Engine() {
  instance = this;
  loadSettings();
}

Engine::~Engine() {
  for (StateRecord* record : stateStack) delete record;
  stateStack.clear();
  if (instance == this) instance = nullptr;
}

void Engine::loadSettings() {
  std::ifstream in(configFile("settings.cfg"));
  readSettings(in, settings);
}

void readSettings(std::istream& in, std::map<std::string, float>& settings) {
  std::string name, word;
  int unknownKept = 0, dropped = 0;
  while (in >> name >> word) {
    if (!keepSetting(name, settings, unknownKept)) {
      dropped += 1;
      continue;
    }
    // A value that is not a finite number reads as 0: every setting is
    // converted to int somewhere, and nan or inf would make that undefined.
    char* end = nullptr;
    float value = std::strtof(word.c_str(), &end);
    settings[name] = (end == word.c_str() || !std::isfinite(value)) ? 0.0f : value;
  }
  if (dropped > 0) logInfo("settings.cfg - " + std::to_string(dropped) + " unknown settings dropped");
}

DisplaySize displaySizeFor(float resx, float resy, bool restrictResolution) {
  float width = resx == 0.0f ? kDefaultWidth : resx;
  float height = resy == 0.0f ? kDefaultHeight : resy;
  bool usable = width >= kMinWidth && width <= kMaxSide && height >= kMinHeight && height <= kMaxSide;
  if (!usable) {
    logInfo("Display size " + std::to_string(resx) + " x " + std::to_string(resy) +
            " is out of range; using 800 x 600");
    return {kDefaultWidth, kDefaultHeight};
  }
  DisplaySize size{static_cast<int>(width), static_cast<int>(height)};
  if (restrictResolution && size.width != kDefaultWidth && size.width != kLowWidth) {
    return {kDefaultWidth, kDefaultHeight};
  }
  return size;
}

double nextFrameDeadline(double previousMs, double nowMs, float maxFps) {
  if (!(maxFps > 0.0f)) return nowMs;
  double budgetMs = 1000.0 / std::clamp(maxFps, kMinFpsLimit, kMaxFpsLimit);
  double next = previousMs + budgetMs;
  // Far behind: start a new schedule rather than rush frames to catch up.
  if (next < nowMs - budgetMs || next > nowMs + budgetMs) return nowMs + budgetMs;
  return next;
}

void Engine::saveSettings() {
  std::ostringstream out;
  for (const auto& [name, value] : settings) out << name << ' ' << value << '\n';
  writeFileSafely(configFile("settings.cfg"), out.str());
}

void Engine::init() {
  srand(static_cast<unsigned>(time(nullptr)));
  logInfo("Kelpcore_19");
  if (!gamePaths().layout.empty()) logInfo(gamePaths().layout);
  allegro_init();
  sound = new SoundManager();
  install_timer();
  LOCK_VARIABLE(tickCount);
  LOCK_FUNCTION(tickHandler);
  install_int(tickHandler, kTickMs);
  install_keyboard();
  hookKeyEvents();
  if (useMouse) install_mouse();
  Gamepad::instance().install();
  register_assert_handler(assertHandler);

  DisplaySize size = displaySizeFor(settings["resx"], settings["resy"], restrictResolution);
  bool full = settings["fullscreen"] != 0.0f;
  // The size in force, so the options show it and the next save keeps it.
  settings["resx"] = static_cast<float>(size.width);
  settings["resy"] = static_cast<float>(size.height);
  screen = new Screen(size.width, size.height, full);
  applyWindowSize();
}

float Engine::settingOr(const std::string& name, float fallback) const {
  auto found = settings.find(name);
  return found == settings.end() ? fallback : found->second;
}

void Engine::applyWindowSize() {
  if (!ready()) return;
  if (screen->fullscreen) {
    DisplayScaler::close();
    return;
  }
  DisplayScaler::apply(screen->width, screen->height, static_cast<int>(settingOr("windowsize", 0.0f)));
}

bool Engine::ready() const { return screen && screen->ready(); }

float Engine::frameTime(int ticks) const {
  float dt = ticks * kTickMs * 0.001f;
  if (dt > kMaxFrameTime) dt = kMaxFrameTime;
  if (timeScale != 1.0f) dt *= timeScale;
  return dt;
}

void Engine::drawFrame() {
  drawBackground();
  screen->present();
  drawOverlay();
  if (settingOr("vsync", 0.0f) != 0.0f) vsync();
  screen->flip();
}

void Engine::run() {
  quit = false;
  tickCount = 0;
  frameCount = 0;
  fps = 0;
  float acc = 0.0f;
  double deadlineMs = monotonicMs();
  while (!quit) {
    float dt = frameTime(tickCount);
    tickCount = 0;
    if (passDriver && !passDriver->beginPass(dt)) break;
    update(dt);
    if (!noClear) clear_bitmap(screen->backBuffer);
    drawFrame();
    ++frameCount;
    if (resetTimer) {
      tickCount = 0;
      resetTimer = false;
    }
    acc += dt;
    if (acc > 1.0f) {
      fps = frameCount;
      frameCount = 0;
      acc = 0.0f;
    }
    instantFps = 1.0f / dt;
    endFrame();
    if (passDriver) passDriver->endPass();
    capFrameRate(deadlineMs);
  }
}

void Engine::capFrameRate(double& deadlineMs) {
  // "maxfps" 0 keeps the loop running flat out, as it always has.
  float maxFps = settings["maxfps"];
  if (!(maxFps > 0.0f)) return;
  deadlineMs = nextFrameDeadline(deadlineMs, monotonicMs(), maxFps);
  // The kernel's absolute sleep wakes within a fraction of a millisecond;
  // whatever it leaves, or a signal cuts short, is finished by yielding.
  timespec until;
  until.tv_sec = static_cast<time_t>(deadlineMs / 1000.0);
  until.tv_nsec = static_cast<long>((deadlineMs - until.tv_sec * 1000.0) * 1e6);
  if (until.tv_nsec >= 1000000000L) until.tv_nsec = 999999999L;
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
  }
  while (monotonicMs() < deadlineMs) sched_yield();
}

void Engine::update(float dt) {
  takeKeyEvents();
  get_mouse_mickeys(&mickeyX, &mickeyY);
  Gamepad::instance().update(dt);
  poll();
  screen->update(dt);
  if (sound) sound->update(dt);
  updateStates(dt);
  finishScrollingTextWhenDone();
  dispatchQueuedActions();
  bool altEnter = settings["enableAltEnter"] != 0.0f && (key_shifts & KB_ALT_FLAG) && key[KEY_ENTER];
  if (altEnter) toggleFullscreen();
}

void Engine::dispatchQueuedActions() {
  while (!actionQueue.empty()) {
    std::string action = actionQueue.front();
    actionQueue.pop_front();
    onAction(action, true);
  }
}

void Engine::toggleFullscreen() {
  int w = screen->width, h = screen->height;
  // The windowed driver stands for the desktop platform's windowed mode id.
  int goTo = screen->fullscreen ? GFX_AUTODETECT_WINDOWED : GFX_AUTODETECT_FULLSCREEN;
  int goBack = screen->fullscreen ? GFX_AUTODETECT_FULLSCREEN : GFX_AUTODETECT_WINDOWED;
  DisplayScaler::close();
  if (set_gfx_mode(goTo, w, h, 0, 0) == 0) {
    screen->fullscreen = !screen->fullscreen;
    applyWindowSize();
    onDisplayModeChanged();
  } else {
    set_gfx_mode(goBack, w, h, 0, 0);
    applyWindowSize();
  }
}

void Engine::crossFade(float seconds) {
  BITMAP* scene = create_bitmap(kFadeBufferWidth, kFadeBufferHeight);
  clear_bitmap(screen->backBuffer);
  drawBackground();
  screen->present();
  drawOverlay();
  blit(screen->backBuffer, scene, 0, 0, 0, 0, kFadeBufferWidth, kFadeBufferHeight);

  double start = monotonicMs();
  double end = start + (skipFades ? 0.0 : seconds * 1000.0);
  float passTime = seconds;
  while (monotonicMs() < end) {
    double t0 = monotonicMs();
    if (sound) sound->update(passTime);
    blit(scene, screen->backBuffer, 0, 0, 0, 0, kFadeBufferWidth, kFadeBufferHeight);
    int alpha = 255;
    if (seconds > 0) alpha = 255 - static_cast<int>((monotonicMs() - start) * 0.255 / seconds);
    if (alpha < 0) alpha = 0;
    if (alpha > 255) alpha = 255;
    set_trans_blender(0, 0, 0, alpha);
    drawTranslucent(screen->backBuffer, screen->snapshotBuffer, 0, 0);
    screen->flip();
    passTime = static_cast<float>((monotonicMs() - t0) * 0.001);
  }
  drawFrame();
  resetTimer = true;
  destroy_bitmap(scene);
}

void Engine::shutdown() {
  popAll();
  DisplayScaler::close();
  DatafileCache::instance().unloadAll();
  delete screen;
  screen = nullptr;
  delete sound;
  sound = nullptr;
  unhookKeyEvents();
  allegro_exit();
}

void Engine::drawText(BITMAP* target, FONT* textFont, const std::string& text, int x, int y,
                      int colour) {
  if (!textFont) return;
  textout_ex(target, textFont, text.c_str(), x, y, colour, -1);
}

void Engine::drawText(BITMAP* target, const std::string& text, int x, int y, int colour,
                      int align) {
  if (!font) return;
  switch (align) {
    case 0: textout_ex(target, font, text.c_str(), x, y, colour, -1); break;
    case 1: textout_centre_ex(target, font, text.c_str(), x, y, colour, -1); break;
    case 3: textout_right_ex(target, font, text.c_str(), x, y, colour, -1); break;
    default: break;
  }
}

int Engine::textHeight(FONT* textFont) { return textFont ? text_height(textFont) : 0; }

int Engine::textLength(const std::string& text, FONT* textFont) {
  return textFont ? text_length(textFont, text.c_str()) : 0;
}
