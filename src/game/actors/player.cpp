#include "game/actors/player.h"

#include <allegro.h>

#include "engine/log.h"

namespace {

const struct {
  const char* action;
  int code;
} kDefaultKeys[] = {
    {"up", KEY_UP}, {"down", KEY_DOWN}, {"left", KEY_LEFT}, {"right", KEY_RIGHT}, {"fire", KEY_SPACE},
};

}  // namespace

Player::Player(int bubbleLimit) : bubbles(bubbleLimit) {
  anchor = 1;
  bindDefaultKeys();
}

// Movement and shots are handled by the in-game player; nothing reacts yet.
void Player::onAction(const std::string&, bool) {}

void Player::bindDefaultKeys() {
  unbindAll();
  for (const auto& binding : kDefaultKeys) bindKey(binding.action, binding.code);
}

void Player::loadKeyConfig(const std::string& path) {
  bindDefaultKeys();
  if (exists(path.c_str())) {
    load(path);
    return;
  }
  logInfo("Could not find keyconfig. Creating from default data.");
  save(path);
}
