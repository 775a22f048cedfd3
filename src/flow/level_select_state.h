#pragma once
#include <set>
#include <string>
#include <vector>

#include "engine/game_state.h"

class MapNode;

// The world map: one marker per level reached, a highlight moved along them
// with the arrow keys, Enter or Space to play the highlighted level, W to
// watch its kept run, Esc back to the title. Narrower screens scroll the map after the highlight.
class LevelSelectState : public GameState {
 public:
  int selection = 0;              // 0..49
  std::vector<MapNode*> markers;  // in level order; owned by the stack record

  LevelSelectState() { name = "levelSelect"; }
  void enter() override;
  void leave() override;
  void update(float dt) override;
  // Acts on releases only; a press merely arms its word.
  void onAction(const std::string& action, bool pressed) override;

 private:
  // Words whose key went down while the map was up. A key already held on
  // arrival (the Enter that chose "Play!" on the title) must not act when
  // it comes up.
  std::set<std::string> armed;

  void addMarkers();
  void bindKeys();
  void applyWord(const std::string& action);
  void followSelection();
};
