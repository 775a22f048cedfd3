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
  unsigned capturedSerial = 0;  // the key events' pass already searched for a press
};

// The value of a binding line (a key's or a pad button's name), right of
// the label at x, under a translucent box while the line captures.
void drawBindingValue(BITMAP* target, int x, int y, const std::string& value, bool capturing);
// The right edge of that value, for the highlight's markers.
int bindingValueRight(int x, const std::string& value);
