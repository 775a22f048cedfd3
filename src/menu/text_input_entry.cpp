#include "menu/text_input_entry.h"

#include <allegro.h>

#include <cctype>

#include "menu/menu.h"

namespace {

const int kLetterAndDigitKeys = 36;  // scancodes 1–36: A–Z, then 0–9
const int kSpaceSlot = 36;
const int kBackspaceSlot = 37;
const char kCursor[] = "|";

// The key's character in the keyboard's layout, or plain ASCII when no
// keyboard driver is installed to ask.
char characterOf(int code) {
  if (keyboard_driver) {
    int c = scancode_to_ascii(code);
    if (c > 0 && c < 128) return static_cast<char>(c);
  }
  return code <= KEY_Z ? static_cast<char>('a' + code - KEY_A) : static_cast<char>('0' + code - KEY_0);
}

}  // namespace

TextInputEntry::TextInputEntry(std::string* edited, int offsetX)
    : target(edited), textOffsetX(offsetX) {}

void TextInputEntry::step(float dt) {
  if (!updateLine(dt)) return;
  if (pressed != typing) setTyping(pressed);
  if (!typing) return;
  blink(dt);
  type();
}

void TextInputEntry::onPageLeft() {
  pressed = false;
  if (typing) setTyping(false);
}

// While typing, Space belongs to the text: left on the menu's "activate" it
// would end typing at every word break.
void TextInputEntry::setTyping(bool on) {
  typing = on;
  // Keys already down count as held, so the Enter or Space that started
  // typing is not typed as well.
  if (on) {
    for (int slot = 0; slot < kLetterAndDigitKeys; ++slot) keyHeld[slot] = key[KEY_A + slot] != 0;
    keyHeld[kSpaceSlot] = key[KEY_SPACE] != 0;
    keyHeld[kBackspaceSlot] = key[KEY_BACKSPACE] != 0;
  }
  if (!spacesAllowed || !owner) return;
  owner->unbind("activate");
  owner->bindKey("activate", KEY_ENTER);
  if (!on) owner->bindKey("activate", KEY_SPACE);
}

void TextInputEntry::blink(float dt) {
  blinkTimer += dt;
  if (blinkTimer >= blinkInterval) {
    blinkTimer = 0.0f;
    cursorVisible = !cursorVisible;
  }
}

bool TextInputEntry::wentDown(int slot, int code) {
  bool down = key[code] != 0;
  bool fresh = down && !keyHeld[slot];
  keyHeld[slot] = down;
  return fresh && target;
}

void TextInputEntry::type() {
  bool upper = (key_shifts & (KB_SHIFT_FLAG | KB_CAPSLOCK_FLAG)) != 0;
  for (int slot = 0; slot < kLetterAndDigitKeys; ++slot) {
    int code = KEY_A + slot;
    if (!wentDown(slot, code) || static_cast<int>(target->size()) >= maxLength) continue;
    char c = characterOf(code);
    if (upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    target->push_back(c);
  }
  if (wentDown(kSpaceSlot, KEY_SPACE) && spacesAllowed &&
      static_cast<int>(target->size()) < maxLength) {
    target->push_back(' ');
  }
  if (wentDown(kBackspaceSlot, KEY_BACKSPACE) && !target->empty()) target->pop_back();
}

void TextInputEntry::draw(BITMAP* bitmap) {
  if (!enabled || !bitmap) return;
  if (centred) y += centreOffsetY;
  MenuEntry::draw(bitmap);
  if (centred) y -= centreOffsetY;
  if (!target || !::font) return;
  std::string shownText = *target;
  if (pressed && cursorVisible) shownText += kCursor;
  int tx = static_cast<int>(x) + textOffsetX;
  if (centred) tx = static_cast<int>(x) - text_length(::font, target->c_str()) / 2;
  textout_ex(bitmap, ::font, shownText.c_str(), tx, static_cast<int>(y), -1, -1);
}
