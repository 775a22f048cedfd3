#pragma once
#include <deque>
#include <map>
#include <string>

#include "engine/game_state.h"
#include "engine/input_map.h"

struct BITMAP;
struct FONT;
class PassDriver;
class Screen;
class SoundManager;

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

  virtual void init();
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
  // Rolls a text file up the screen; any key queues action.
  void showScrollingText(const std::string& path, FONT* textFont, const std::string& action);

  // The frame time of one pass from the ticks counted since the last.
  float frameTime(int ticks) const;

 protected:
  void drawFrame();

 private:
  void updateStates(float dt);
  void dispatchQueuedActions();
  void clearRecord(StateRecord& record);
  void removeFromEveryLayer(Drawable* sprite);
};
