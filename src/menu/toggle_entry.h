#pragma once
#include <functional>
#include <string>

#include "menu/menu_entry.h"

// A line that flips a caller's bool on activation and shows its state after
// the label, e.g. "Water Effect [On]".
class ToggleEntry : public MenuEntry {
 public:
  bool* target = nullptr;  // not owned
  std::string onText = "On";
  std::string offText = "Off";
  std::function<void()> listener;  // called after each flip; may be empty

  // Empty texts keep "On" and "Off".
  ToggleEntry(bool* target, const std::string& onText, const std::string& offText,
              std::function<void()> listener);

  // Relabels every update, so a flag changed elsewhere shows at once.
  void step(float dt) override;
  void onActivate() override;
};
