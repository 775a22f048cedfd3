#pragma once
#include "engine/game_state.h"

class Sprite;

// The first screen: the maker's logo with its jingle. Hands over to the
// title after five seconds or at the first key released.
class LogoState : public GameState {
 public:
  Sprite* logo = nullptr;  // owned by the stack record
  float countdown = 0.0f;  // seconds

  LogoState() { name = "logo"; }
  void enter() override;
  void leave() override;
  void update(float dt) override;
};
