#include "menu/key_capture_entry.h"

#include <allegro.h>

#include <algorithm>
#include <iterator>

#include "engine/key_events.h"
#include "menu/menu.h"

namespace {

const int kValueOffsetX = 64;  // px right of x
const int kCaptureBoxAlpha = 128;

// The keys a binding may take, lowest scancode first. Escape and the
// function keys are left to the game.
const int kAcceptedKeys[] = {KEY_A, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G,    KEY_H,
                             KEY_I, KEY_J, KEY_K, KEY_L, KEY_M, KEY_N, KEY_O,    KEY_P,
                             KEY_Q, KEY_R, KEY_S, KEY_T, KEY_U, KEY_V, KEY_W,    KEY_X,
                             KEY_Y, KEY_Z, KEY_ENTER, KEY_SPACE, KEY_LEFT, KEY_RIGHT,
                             KEY_UP, KEY_DOWN};

bool isAccepted(int code) {
  return std::find(std::begin(kAcceptedKeys), std::end(kAcceptedKeys), code) != std::end(kAcceptedKeys);
}

}  // namespace

KeyCaptureEntry::KeyCaptureEntry(InputMap* bindings, const std::string& name)
    : inputMap(bindings), actionName(name) {}

void KeyCaptureEntry::onActivate() {
  capturing = !capturing;
  heldCode = -1;
  // The key that started the capture (Enter or Space) is still down on
  // this very update; it must not become the new binding.
  staleKeys.clear();
  for (int code : kAcceptedKeys) {
    if (keyLevel(code)) staleKeys.insert(code);
  }
  capturedSerial = keyPassSerial();
  if (!owner) return;
  owner->inputLocked = capturing;
  owner->mouseLocked = capturing;
}

void KeyCaptureEntry::step(float dt) {
  if (!updateLine(dt)) return;
  if (highlighted && capturing) capture();
}

// The key is bound only once released, so the press never reaches the
// menu as an activation or a move after the locks come off. The frame goes
// on meanwhile instead of waiting in a loop.
void KeyCaptureEntry::capture() {
  if (heldCode < 0) heldCode = freshKeyDown();
  if (heldCode >= 0 && keyLevel(heldCode)) return;
  clear_keybuf();
  resetMenuActivate();
  if (heldCode >= 0) finishCapture(heldCode);
}

// A press the keyboard driver reported counts even when the key is up
// again by now, so a tap shorter than a frame is captured too.
int KeyCaptureEntry::freshKeyDown() {
  if (capturedSerial != keyPassSerial()) {
    capturedSerial = keyPassSerial();
    for (const KeyEvent& event : takenKeyEvents()) {
      if (event.down && isAccepted(event.code) && !staleKeys.count(event.code)) return event.code;
    }
  }
  for (int code : kAcceptedKeys) {
    if (!keyLevel(code)) staleKeys.erase(code);
  }
  for (int code : kAcceptedKeys) {
    if (keyLevel(code) && !staleKeys.count(code)) return code;
  }
  return -1;
}

void KeyCaptureEntry::resetMenuActivate() {
  owner->unbind("activate");
  owner->bindKey("activate", KEY_ENTER);
  owner->bindKey("activate", KEY_SPACE);
}

void KeyCaptureEntry::finishCapture(int code) {
  keyText = keyName(code);
  if (inputMap) {
    inputMap->unbind(actionName);
    inputMap->bindKey(actionName, code);
  }
  capturing = false;
  heldCode = -1;
  owner->inputLocked = false;
  owner->mouseLocked = false;
}

int KeyCaptureEntry::shownRight() {
  return std::max(MenuEntry::shownRight(), bindingValueRight(static_cast<int>(x) + cameraOffsetX, keyText));
}

void KeyCaptureEntry::draw(BITMAP* target) {
  // The key's name first: the highlight's markers go round it.
  if (inputMap && enabled && target && ::font) keyText = keyName(inputMap->firstCode(actionName));
  MenuEntry::draw(target);
  if (!enabled || !target || !::font) return;
  drawBindingValue(target, static_cast<int>(x) + cameraOffsetX, static_cast<int>(y), keyText, capturing);
}

void drawBindingValue(BITMAP* target, int x, int y, const std::string& value, bool capturing) {
  int vx = x + kValueOffsetX;
  textout_ex(target, ::font, value.c_str(), vx, y, -1, -1);
  if (!capturing) return;
  set_add_blender(0, 0, 0, kCaptureBoxAlpha);
  drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
  rectfill(target, vx, y, vx + text_length(::font, value.c_str()), y + text_height(::font),
           makecol(128, 128, 128));
  solid_mode();
}

int bindingValueRight(int x, const std::string& value) {
  return x + kValueOffsetX + (::font ? text_length(::font, value.c_str()) : 0);
}
