#pragma once
#include "engine/game_state.h"

// A stand-in for the power-up shop: a closed sign over the level that any
// key released takes away again.
class TemporaryPowerupShopState : public GameState {
 public:
  TemporaryPowerupShopState() { name = "powerupShop"; }
  void enter() override;
  void onAction(const std::string& action, bool pressed) override;
};
