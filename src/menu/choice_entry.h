#pragma once
#include <functional>
#include <string>
#include <vector>

#include "menu/menu_entry.h"

// A line that steps through a list of choices on each activation and shows
// the one in force after the label, e.g. "Frame rate [60]". The value lives
// with the caller, read and written through the two functions.
class ChoiceEntry : public MenuEntry {
 public:
  std::vector<std::string> choices;
  std::function<int()> current;     // index of the choice in force
  std::function<void(int)> choose;  // called with the next index

  ChoiceEntry(std::vector<std::string> choices, std::function<int()> current,
              std::function<void(int)> choose);

  // Relabels every update, so a value changed elsewhere shows at once.
  void step(float dt) override;
  void onActivate() override;
};
