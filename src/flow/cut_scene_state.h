#pragma once
#include "engine/game_state.h"

class Sprite;
class TextLabel;

// The opening story, told line by line over the professor's home; each key
// released moves it on, and after the last line the level select opens.
class CutSceneState : public GameState {
 public:
  Sprite* background = nullptr;  // all six owned by the stack record
  Sprite* scenery = nullptr;
  TextLabel* line1 = nullptr;
  TextLabel* line2 = nullptr;
  Sprite* professor = nullptr;
  Sprite* hero = nullptr;
  int step = 0;
  float stepTimer = 0.0f;  // seconds; keys count only at 0

  CutSceneState() { name = "cutScene"; }
  void enter() override;
  void update(float dt) override;
  // "next" on release moves the story on.
  void onAction(const std::string& action, bool pressed) override;

 private:
  void buildScene(int w, int h);
  void nextStep();
};
