#pragma once
#include <deque>
#include <iosfwd>
#include <map>
#include <string>

#include "engine/game_state.h"
#include "engine/input_map.h"

struct BITMAP;
struct FONT;
class PassDriver;
class Screen;
class SoundManager;

// A display size in pixels.
struct DisplaySize {
  int width, height;
};

// Reads "key value" lines into settings; values that are not finite
// numbers read as 0. Keys the game does not know are kept only while short
// words and at most 8 of them; the others are dropped (logged).
void readSettings(std::istream& in, std::map<std::string, float>& settings);
// The display size the settings ask for: 0 means 800 or 600, a size outside
// 320..4096 x 240..4096 falls back to 800 x 600 (logged), and a restricted
// engine takes only widths 800 and 640.
DisplaySize displaySizeFor(float resx, float resy, bool restrictResolution);
// When the next frame may start, in milliseconds of the monotonic clock,
// for a loop held to maxFps (taken within 1..1000) frames a second: one
// frame after the previous deadline, so short and long frames even out,
// or one frame after nowMs once the loop fell more than a frame behind.
// nowMs itself for maxFps 0 (no limit).
double nextFrameDeadline(double previousMs, double nowMs, float maxFps);

// Incremented every 10 ms by the timer; read and zeroed by the main loop.
extern volatile int tickCount;

// The application frame: owns the screen, the sound and the settings,
// starts Allegro, runs the main loop, holds the state stack and offers the
// cross-fade and text output. The game derives from it and fills the hooks.
class Engine : public InputMap {
 public:
  Screen* screen = nullptr;       // owned
  SoundManager* sound = nullptr;  // owned
  bool quit = false;
  std::map<std::string, float> settings;
  float timeScale = 1.0f;
  int mickeyX = 0, mickeyY = 0;
  std::map<std::string, GameState*> stateRegistry;  // not owned
  bool noClear = false;
  bool restrictResolution = false;
  bool useMouse = true;
  int frameCount = 0;
  int fps = 0;
  float instantFps = 0.0f;
  bool resetTimer = false;
  // Cross-fades end at once; for runs with nobody watching (tests, demos).
  bool skipFades = false;
  // Sees every pass of the main loop when set (demos); not owned.
  PassDriver* passDriver = nullptr;
  std::deque<std::string> actionQueue;
  std::deque<StateRecord*> stateStack;  // owning; bottom at the front

  // The one engine; set by the constructor.
  static Engine* instance;

  Engine();
  ~Engine() override;

  // Starts Allegro, the sound and the display; check ready() afterwards.
  virtual void init();
  // True once init has a display with its buffers.
  bool ready() const;
  // One pass of game logic: input, screen, sound, states, queued actions.
  virtual void update(float dt);
  // The main loop; runs until quit is set.
  virtual void run();
  virtual void start() = 0;
  virtual void shutdown();
  virtual void updateStateByName(const std::string& name, float dt);
  virtual void onStatePushed(const std::string& name);
  // Clears the popped record's sprites and state actions.
  virtual void onStatePopped(const std::string& name);
  virtual void onDisplayModeChanged() {}
  virtual void drawOverlay() {}
  virtual void drawBackground() {}
  // Destroys the sprites removed during this pass.
  virtual void endFrame();
  virtual void drawText(BITMAP* target, FONT* textFont, const std::string& text, int x, int y,
                        int colour);
  // align 0 left edge at x, 1 centred on x, 3 right edge at x.
  virtual void drawText(BITMAP* target, const std::string& text, int x, int y, int colour,
                        int align);
  virtual int textHeight(FONT* textFont);
  virtual int textLength(const std::string& text, FONT* textFont);

  void loadSettings();
  void saveSettings();
  // Switches between full screen and a window; on success the mode-changed
  // hook runs. Virtual after the hooks above, as a seam for tests.
  virtual void toggleFullscreen();
  // Opens the window the "windowsize" setting asks for over the screen's
  // frame (the frame's own window when none or full screen); call the
  // mode-changed hook after it.
  void applyWindowSize();
  // A setting's value, or fallback when settings.cfg has no such key (the
  // key is not added).
  float settingOr(const std::string& name, float fallback) const;
  // Blocking transition from the screen's snapshot to the current scene.
  void crossFade(float seconds);

  // State stack and state actions.
  void addState(GameState* state);
  void pushState(const std::string& name);
  void popState();
  void popAll();
  void switchState(const std::string& name);
  StateRecord* findOnStack(const std::string& name);
  size_t queueAction(const std::string& name);
  // Adds to the top state; layer -1 keeps it owned but undrawn.
  bool addSprite(Drawable* sprite, int layer);
  // Destroyed at the end of the pass, if the top state owns it.
  void removeSprite(Drawable* sprite);
  void addStateAction(const std::string& action, int code);
  // Rolls a text file up the screen; any key, or the last line leaving the
  // top, ends it with action (reported as released).
  void showScrollingText(const std::string& path, FONT* textFont, const std::string& action);

  // The frame time of one pass from the ticks counted since the last.
  float frameTime(int ticks) const;

 protected:
  void drawFrame();
  // Waits for the next frame's deadline under "maxfps": a sleep, then a
  // precise finish. deadlineMs carries the schedule from frame to frame.
  void capFrameRate(double& deadlineMs);

 private:
  // The credits-style roll in progress: its last line (owned by the state)
  // and the action that ends it.
  bool rollRunning = false;
  Drawable* rollLastLine = nullptr;
  int rollLineHeight = 0;
  std::string rollAction;

  void finishScrollingTextWhenDone();
  void updateStates(float dt);
  void dispatchQueuedActions();
  void clearRecord(StateRecord& record);
  void removeFromEveryLayer(Drawable* sprite);
};
