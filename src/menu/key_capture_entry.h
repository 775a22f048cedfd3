#pragma once
#include <set>
#include <string>

#include "menu/menu_entry.h"

// A line that shows the key bound to an action of some InputMap and, once
// activated, rebinds the action to the next accepted key pressed. While it
// waits, the owner menu ignores its keys and the mouse.
class KeyCaptureEntry : public MenuEntry {
 public:
  InputMap* inputMap = nullptr;  // not owned; the bindings being edited
  std::string actionName;
  bool capturing = false;
  std::string keyText;  // name of the key currently bound

  KeyCaptureEntry(InputMap* bindings, const std::string& actionName);

  void step(float dt) override;
  void draw(BITMAP* target) override;
  int shownRight() override;
  // Starts or cancels capturing, locking or unlocking the owner to match.
  void onActivate() override;

 private:
  void capture();
  void finishCapture(int code);
  void resetMenuActivate();
  int freshKeyDown();

  int heldCode = -1;        // accepted key seen down, bound once it is released
  std::set<int> staleKeys;  // down when capturing began; ignored until released
};
