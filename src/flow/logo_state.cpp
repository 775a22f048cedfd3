#include "flow/logo_state.h"

#include "engine/engine.h"
#include "engine/screen.h"
#include "engine/sprite.h"
#include "sound/sound_manager.h"

namespace {
const float kShowSeconds = 5.0f;
const float kFadeSeconds = 0.5f;
}  // namespace

void LogoState::enter() {
  Engine& engine = *Engine::instance;
  engine.noClear = false;
  engine.screen->snapshot();
  engine.sound->playMusic("mus/zsl.ogg", false);
  countdown = kShowSeconds;
  logo = newSprite("logo.dat", 0, 1, engine.screen->width / 2, engine.screen->height / 2);
  addSprite(logo, 0);
  addStateAction("JUMPSTATE_FALSE:title", kAnyKey);
  crossFade(kFadeSeconds);
}

void LogoState::leave() {
  Engine::instance->noClear = true;
  logo = nullptr;
}

void LogoState::update(float dt) {
  GameState::update(dt);
  if (countdown <= 0.0f) return;
  countdown -= dt;
  if (countdown <= 0.0f) {
    countdown = 0.0f;
    queueAction("JUMPSTATE:title");
  }
}
