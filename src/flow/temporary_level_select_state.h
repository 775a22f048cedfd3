#pragma once
#include "engine/game_state.h"

class TextLabel;

// A stand-in for the world map: pick any level reached so far with Left and
// Right, Enter starts it, Esc returns to the title.
class TemporaryLevelSelectState : public GameState {
 public:
  TemporaryLevelSelectState() { name = "levelSelect"; }
  void enter() override;
  void leave() override;
  void onAction(const std::string& action, bool pressed) override;

 private:
  TextLabel* levelLabel = nullptr;  // owned by the stack record

  int highestLevel() const;
  void refresh();
};
