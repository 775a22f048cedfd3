// The engine's state stack, state actions and per-state drawables.
#include <allegro.h>

#include <algorithm>
#include <fstream>

#include "engine/datafile_cache.h"
#include "engine/drawable.h"
#include "engine/engine.h"
#include "engine/gamepad.h"
#include "engine/log.h"
#include "engine/screen.h"
#include "engine/text_label.h"

namespace {
const float kScrollSpeed = 50.0f;  // credits roll, pixels per second
const float kScrollFadeSeconds = 0.4f;
const int kOverlayLayer = 4;
}  // namespace

void Engine::addState(GameState* state) { stateRegistry[state->name] = state; }

static GameState* registeredState(const std::map<std::string, GameState*>& registry,
                                  const std::string& name) {
  auto found = registry.find(name);
  return found == registry.end() ? nullptr : found->second;
}

void Engine::pushState(const std::string& name) {
  auto* record = new StateRecord{this, screen, name, {}, {}, {}};
  stateStack.push_back(record);
  if (GameState* state = registeredState(stateRegistry, name)) state->enter();
  onStatePushed(name);
}

void Engine::popState() {
  if (stateStack.empty()) return;
  StateRecord* record = stateStack.back();
  std::string name = record->name;
  if (GameState* state = registeredState(stateRegistry, name)) state->leave();
  onStatePopped(name);
  // The hooks may have changed the stack; remove this very record.
  auto found = std::find(stateStack.begin(), stateStack.end(), record);
  if (found != stateStack.end()) stateStack.erase(found);
  delete record;
}

void Engine::popAll() {
  while (!stateStack.empty()) popState();
}

void Engine::switchState(const std::string& name) {
  Gamepad::instance().rescan();  // a pad plugged in since counts from here
  // Entering the state at the bottom again (a level restarted or the next
  // one) keeps its datafiles loaded; leaving it for another lets them go.
  bool again = !stateStack.empty() && stateStack.front()->name == name;
  DatafileCache::instance().keepIdle(again);
  popAll();
  pushState(name);
}

StateRecord* Engine::findOnStack(const std::string& name) {
  for (StateRecord* record : stateStack) {
    if (record->name == name) return record;
  }
  return nullptr;
}

size_t Engine::queueAction(const std::string& name) {
  actionQueue.push_back(name);
  return actionQueue.size();
}

void Engine::removeFromEveryLayer(Drawable* sprite) {
  if (!screen) return;
  for (int layer = 0; layer < static_cast<int>(screen->layers.size()); ++layer) {
    screen->removeFromLayer(sprite, layer);
  }
}

void Engine::clearRecord(StateRecord& record) {
  for (Drawable* sprite : record.sprites) {
    removeFromEveryLayer(sprite);
    if (sprite == rollLastLine) {
      rollLastLine = nullptr;
      rollRunning = false;
    }
    delete sprite;
  }
  record.sprites.clear();
  for (const std::string& action : record.stateActions) unbind(action);
  record.stateActions.clear();
}

void Engine::onStatePopped(const std::string& name) {
  if (StateRecord* record = findOnStack(name)) clearRecord(*record);
}

void Engine::onStatePushed(const std::string&) {}

void Engine::updateStateByName(const std::string&, float) {}

bool Engine::addSprite(Drawable* sprite, int layer) {
  if (stateStack.empty()) return false;
  StateRecord& top = *stateStack.back();
  if (std::find(top.sprites.begin(), top.sprites.end(), sprite) != top.sprites.end()) {
    log("GameState [" + top.name + "] - trying to add duplicate sprite!", true);
    return false;
  }
  top.sprites.push_back(sprite);
  if (layer != -1 && top.screen) {
    top.screen->addToLayer(sprite, layer);
    sprite->screen = top.screen;
  }
  return true;
}

void Engine::removeSprite(Drawable* sprite) {
  if (stateStack.empty()) return;
  stateStack.back()->pendingRemovals.push_back(sprite);
}

void Engine::endFrame() {
  for (auto it = stateStack.rbegin(); it != stateStack.rend(); ++it) {
    StateRecord& record = **it;
    for (Drawable* sprite : record.pendingRemovals) {
      auto found = std::find(record.sprites.begin(), record.sprites.end(), sprite);
      if (found == record.sprites.end()) continue;
      removeFromEveryLayer(sprite);
      record.sprites.erase(found);
      delete sprite;
    }
    record.pendingRemovals.clear();
  }
}

void Engine::addStateAction(const std::string& action, int code) {
  if (stateStack.empty()) {
    log("Can't addStateAction without States.", true);
    return;
  }
  stateStack.back()->stateActions.push_back(action);
  bindKey(action, code);
}

void Engine::updateStates(float dt) {
  // A snapshot: states may push during the walk, and the top one may pop
  // itself (it is visited last).
  std::vector<StateRecord*> snapshot(stateStack.begin(), stateStack.end());
  for (StateRecord* record : snapshot) {
    if (std::find(stateStack.begin(), stateStack.end(), record) == stateStack.end()) continue;
    std::string name = record->name;
    if (GameState* state = registeredState(stateRegistry, name)) {
      state->update(dt);
    } else {
      updateStateByName(name, dt);
    }
  }
}

void Engine::showScrollingText(const std::string& path, FONT* textFont,
                               const std::string& action) {
  screen->snapshot();
  std::ifstream in(path);
  int h = text_height(textFont);
  int centreX = screen->width / 2;
  std::string line;
  rollLastLine = nullptr;
  for (int i = 0; std::getline(in, line); ++i) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    auto* label = new TextLabel(line);
    label->anchor = 1;
    label->setPosition(centreX, i * h + 2 * h + screen->height);
    label->moveTo(static_cast<float>(centreX), static_cast<float>(i * h - 100 * screen->height),
                  kScrollSpeed);
    addSprite(label, kOverlayLayer);
    rollLastLine = label;
  }
  rollLineHeight = h;
  rollAction = action;
  rollRunning = true;
  addStateAction(action, kAnyKey);
  crossFade(kScrollFadeSeconds);
}

// The roll ends as a key would end it (the action released) once its last
// line has left the top, instead of leaving the screen black for minutes.
void Engine::finishScrollingTextWhenDone() {
  if (!rollRunning) return;
  if (rollLastLine && rollLastLine->y + rollLineHeight > 0.0f) return;
  rollRunning = false;
  rollLastLine = nullptr;
  onAction(rollAction, false);
}
