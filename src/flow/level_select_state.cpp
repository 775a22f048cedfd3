#include "flow/level_select_state.h"

#include <allegro.h>

#include <algorithm>

#include "engine/screen.h"
#include "engine/sprite.h"
#include "flow/game_app.h"
#include "flow/map_node.h"
#include "flow/run_records.h"

namespace {

const int kMapWidth = 800;  // pixels; the map picture's size
const int kMapHeight = 600;
const int kMapLayer = 1;
const int kMarkerLayer = 2;
const int kLastLevel = kMapNodeCount - 1;
const float kCameraSpeedPxPerS = 150.0f;
const float kFadeSeconds = 0.1f;

struct KeyBinding {
  const char* action;
  int code;
};

const KeyBinding kKeyBindings[] = {
    {"left", KEY_LEFT},   {"up", KEY_UP},
    {"right", KEY_RIGHT}, {"down", KEY_DOWN},
    {"selectLevel", KEY_ENTER}, {"selectLevel", KEY_SPACE},
    {"watchRecord", KEY_W},
};

// Which way each word moves the highlight.
struct Step {
  const char* action;
  int delta;
};

const Step kSteps[] = {{"left", -1}, {"up", -1}, {"right", 1}, {"down", 1}};

bool scrolls(const Screen& screen) { return screen.width < kMapWidth; }

}  // namespace

void LevelSelectState::enter() {
  GameApp& app = *GameApp::instance;
  Screen& screen = *app.screen;
  if (scrolls(screen)) screen.setCameraTarget(&app.camera);
  screen.snapshot();

  addSprite(newSprite("map.dat", 0, 1, kMapWidth / 2, kMapHeight / 2), kMapLayer);

  // Always opens on the furthest level, not the one chosen last time. A
  // damaged profile's negative count must not index before the markers.
  selection = std::clamp(app.levelsBeaten, 0, kLastLevel);
  app.selectedLevel = selection;
  addMarkers();
  bindKeys();
  app.camera.moveTo(static_cast<float>(screen.width / 2), static_cast<float>(screen.height / 2), 0.0f);
  crossFade(kFadeSeconds);
}

void LevelSelectState::addMarkers() {
  GameApp& app = *GameApp::instance;
  markers.clear();
  for (int i = 0; i < kMapNodeCount; ++i) {
    auto* marker = new MapNode(i, app.ratings);
    addSprite(marker, kMarkerLayer);
    marker->showSelection(selection);
    marker->visible = i <= app.levelsBeaten;
    markers.push_back(marker);
  }
}

void LevelSelectState::bindKeys() {
  unbindAll();
  armed.clear();
  for (const KeyBinding& binding : kKeyBindings) bindKey(binding.action, binding.code);
  addStateAction("JUMPSTATE:title", KEY_ESC);
}

void LevelSelectState::leave() {
  GameApp::instance->screen->setCameraTarget(nullptr);
  // The stack record destroys the markers.
  markers.clear();
}

void LevelSelectState::update(float dt) {
  GameState::update(dt);
  GameApp::instance->selectedLevel = selection;
  if (scrolls(*GameApp::instance->screen)) followSelection();
}

void LevelSelectState::followSelection() {
  GameApp& app = *GameApp::instance;
  const Screen& screen = *app.screen;
  Drawable& camera = app.camera;
  const MapNodePosition& spot = kMapNodePositions[selection];
  camera.moveTo(static_cast<float>(spot.x), static_cast<float>(spot.y), kCameraSpeedPxPerS);
  float halfW = static_cast<float>(screen.width / 2), halfH = static_cast<float>(screen.height / 2);
  camera.x = std::clamp(camera.x, halfW, kMapWidth - halfW);
  camera.y = std::clamp(camera.y, halfH, kMapHeight - halfH);
}

void LevelSelectState::onAction(const std::string& action, bool pressed) {
  if (pressed) {
    armed.insert(action);
    return;
  }
  if (armed.erase(action) != 0) applyWord(action);
  for (MapNode* marker : markers) marker->showSelection(selection);
}

void LevelSelectState::applyWord(const std::string& action) {
  GameApp& app = *GameApp::instance;
  for (const Step& step : kSteps) {
    if (action != step.action) continue;
    selection = std::clamp(selection + step.delta, 0, std::clamp(app.levelsBeaten, 0, kLastLevel));
    return;
  }
  if (action == "watchRecord") {
    app.runs->watch(selection);
    return;
  }
  if (action == "selectLevel") {
    app.currentLevel = selection;
    queueAction("JUMPSTATE:inGame");
  }
}
