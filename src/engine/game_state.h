#pragma once
#include <string>
#include <vector>

#include "engine/input_map.h"

class Drawable;
class Engine;
class Screen;

// One stacked state. Owns the drawables added and names the state actions
// bound while it was on top, so popping it cleans up in one step.
struct StateRecord {
  Engine* engine = nullptr;
  Screen* screen = nullptr;
  std::string name;
  std::vector<Drawable*> sprites;  // owning
  std::vector<std::string> stateActions;
  std::vector<Drawable*> pendingRemovals;
};

// A registered screen of the game with enter, leave and update code. Its
// own bindings are polled by the default update.
class GameState : public InputMap {
 public:
  std::string name;  // registry key, set by the derived constructor

  GameState() = default;
  ~GameState() override = default;
  void onAction(const std::string&, bool) override {}
  virtual void enter() {}
  virtual void leave() {}
  // Polls the state's own bindings; called once per pass while stacked.
  virtual void update(float dt);

  // Forwarders to the engine instance, acting on the top of the stack.
  bool addSprite(Drawable* sprite, int layer);
  void addStateAction(const std::string& action, int code);
  void crossFade(float seconds);
  void popState();
  StateRecord* findOnStack(const std::string& stateName);
  size_t queueAction(const std::string& action);
};
