#include "menu/pad_capture_entry.h"

#include <allegro.h>

#include <algorithm>

#include "engine/gamepad.h"
#include "menu/key_capture_entry.h"
#include "menu/menu.h"

std::string padButtonName(int button) {
  return button < 0 ? "None" : "Button " + std::to_string(button + 1);
}

PadCaptureEntry::PadCaptureEntry(Gamepad* gamepad, const std::string& roleName)
    : pad(gamepad), role(roleName) {}

void PadCaptureEntry::onActivate() {
  capturing = !capturing && gamepadPresent();
  heldButton = -1;
  // The button that activated the line is still down; it must not count.
  staleButtons.clear();
  for (int b = 0; b < joy[0].num_buttons && gamepadPresent(); ++b) {
    if (joy[0].button[b].b) staleButtons.insert(b);
  }
  if (!owner) return;
  owner->inputLocked = capturing;
  owner->mouseLocked = capturing;
}

void PadCaptureEntry::step(float dt) {
  if (!updateLine(dt)) return;
  if (capturing && (!highlighted || !gamepadPresent() || key[KEY_ESC])) {
    stopCapturing();
    return;
  }
  if (capturing) capture();
}

void PadCaptureEntry::capture() {
  if (heldButton < 0) heldButton = freshButtonDown();
  if (heldButton < 0 || joy[0].button[heldButton].b) return;
  if (pad) pad->setButton(role, heldButton);
  stopCapturing();
}

int PadCaptureEntry::freshButtonDown() {
  for (int b = 0; b < joy[0].num_buttons && b < MAX_JOYSTICK_BUTTONS; ++b) {
    if (!joy[0].button[b].b) staleButtons.erase(b);
    else if (!staleButtons.count(b)) return b;
  }
  return -1;
}

void PadCaptureEntry::stopCapturing() {
  capturing = false;
  heldButton = -1;
  if (!owner) return;
  owner->inputLocked = false;
  owner->mouseLocked = false;
}

int PadCaptureEntry::shownRight() {
  return std::max(MenuEntry::shownRight(), bindingValueRight(static_cast<int>(x) + cameraOffsetX, buttonText));
}

void PadCaptureEntry::draw(BITMAP* target) {
  // The button's name first: the highlight's markers go round it.
  buttonText = padButtonName(pad ? pad->button(role) : -1);
  MenuEntry::draw(target);
  if (!enabled || !target || !::font) return;
  drawBindingValue(target, static_cast<int>(x) + cameraOffsetX, static_cast<int>(y), buttonText, capturing);
}
