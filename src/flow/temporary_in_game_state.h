#pragma once
#include "engine/game_state.h"

// A stand-in for a level until the levels are built: the level's backdrop,
// its number and the keys that end it, so the flow around a level can be
// walked. It makes the player, opens help (F1) and the shop (F5, Tab) like
// the real level, and leads to the end of the game after the last level.
class TemporaryInGameState : public GameState {
 public:
  TemporaryInGameState() { name = "inGame"; }
  void enter() override;
  void leave() override;
  void update(float dt) override;
  void onAction(const std::string& action, bool pressed) override;

 private:
  void buildPlaceholder(int level);
  // Completes the level; perfect takes the 100% screen on the way.
  void finish(bool perfect);
};
