#include "engine/game_state.h"

#include "engine/engine.h"

void GameState::update(float) { poll(); }

bool GameState::addSprite(Drawable* sprite, int layer) {
  return Engine::instance->addSprite(sprite, layer);
}

void GameState::addStateAction(const std::string& action, int code) {
  Engine::instance->addStateAction(action, code);
}

void GameState::crossFade(float seconds) { Engine::instance->crossFade(seconds); }

void GameState::popState() { Engine::instance->popState(); }

StateRecord* GameState::findOnStack(const std::string& stateName) {
  return Engine::instance->findOnStack(stateName);
}

size_t GameState::queueAction(const std::string& action) {
  return Engine::instance->queueAction(action);
}
