#pragma once
#include <set>
#include <string>

#include "menu/menu_entry.h"

class Gamepad;

// A line that shows the pad button of one of the gamepad's roles and, once
// activated, gives the role the next button pressed (on its release), as
// the key-capture line does for keys. Escape, or a pad that goes away,
// cancels. While it waits, the owner menu ignores its keys and the mouse.
class PadCaptureEntry : public MenuEntry {
 public:
  Gamepad* pad = nullptr;  // not owned
  std::string role;
  bool capturing = false;

  PadCaptureEntry(Gamepad* pad, const std::string& role);

  void step(float dt) override;
  void draw(BITMAP* target) override;
  int shownRight() override;
  void onActivate() override;

 private:
  void capture();
  void stopCapturing();
  int freshButtonDown();

  int heldButton = -1;         // seen down, taken once released
  std::set<int> staleButtons;  // down when capturing began
  std::string buttonText;      // the name last drawn
};

// "Button " and the button's number counted from 1, as pads print them.
std::string padButtonName(int button);
