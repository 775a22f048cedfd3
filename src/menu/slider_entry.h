#pragma once
#include <functional>

#include "menu/menu_entry.h"

// A line with a value from 0 to maximum, shown as a bar right of the label.
// Left and Right sweep it while the line is highlighted; the left mouse
// button sets it from a scale beside the label.
class SliderEntry : public MenuEntry {
 public:
  int value = 0;
  int maximum = 100;
  std::function<void(int)> onChange;  // may be empty

  SliderEntry(int initial, int maximum, std::function<void(int)> onChange);

  void step(float dt) override;
  void draw(BITMAP* target) override;
  int shownRight() override;

 private:
  void stepKeys(float dt);
  void stepMouse();
};
