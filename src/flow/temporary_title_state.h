#pragma once
#include <string>
#include <vector>

#include "engine/game_state.h"

class TextLabel;

// A stand-in for the title menu until the menu system arrives: the title
// art and a short list of choices on pages ("Main", "MiniGames",
// "BadMiniGame"), moved through with the arrows and chosen with Enter or
// Space. Choices queue the same action words the real menu will.
class TemporaryTitleState : public GameState {
 public:
  std::string page = "Main";
  int cursor = 0;

  TemporaryTitleState() { name = "title"; }
  void enter() override;
  void leave() override;
  void onAction(const std::string& action, bool pressed) override;
  // Shows a page with the cursor on its first choice.
  void showPage(const std::string& pageName);

 private:
  std::vector<TextLabel*> labels;  // owned by the stack record

  void refresh();
  void choose();
};
