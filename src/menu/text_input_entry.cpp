#include "menu/text_input_entry.h"

#include <allegro.h>

#include <algorithm>
#include <cctype>

#include "menu/menu.h"

namespace {

const int kLetterAndDigitKeys = 36;  // scancodes 1–36: A–Z, then 0–9
const int kSpaceSlot = 36;
const int kBackspaceSlot = 37;
const char kCursor[] = "|";
const int kFieldPaddingPx = 3;        // around the text, inside the frame
const int kFieldMinChars = 8;         // an empty field is still this wide, in "M"s
const int kSelectionAlpha = 120;      // of the gold band behind a selected text
const int kFieldShadeAlpha = 110;     // of the dark fill that the text is read on

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
  bool wanted = typesWhenHighlighted ? highlighted : pressed;
  if (wanted != typing) setTyping(wanted);
  if (!typing) return;
  blink(dt);
  type();
}

void TextInputEntry::onPageLeft() {
  pressed = false;
  edited = false;
  if (typing) setTyping(false);
}

// Only the keyboard's activation toggles `pressed`: Enter moves on to the
// next line, while a click on the field leaves the highlight where it is.
void TextInputEntry::onActivate() {
  if (!typesWhenHighlighted || !pressed || !owner) return;
  pressed = false;
  const std::vector<MenuEntry*>& lines = owner->shown;
  auto self = std::find(lines.begin(), lines.end(), this);
  if (self != lines.end() && self + 1 != lines.end()) owner->selectEntry(*(self + 1));
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
    cursorVisible = true;  // seen at once, not one blink later
    blinkTimer = 0.0f;
  }
  selected = on && typesWhenHighlighted && !edited && target && !target->empty();
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

void TextInputEntry::replaceSelection() {
  if (selected) target->clear();
  selected = false;
  edited = true;
}

void TextInputEntry::type() {
  bool upper = (key_shifts & (KB_SHIFT_FLAG | KB_CAPSLOCK_FLAG)) != 0;
  for (int slot = 0; slot < kLetterAndDigitKeys; ++slot) {
    int code = KEY_A + slot;
    if (!wentDown(slot, code)) continue;
    replaceSelection();
    if (static_cast<int>(target->size()) >= maxLength) continue;
    char c = characterOf(code);
    if (upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    target->push_back(c);
  }
  if (wentDown(kSpaceSlot, KEY_SPACE) && spacesAllowed) {
    replaceSelection();
    if (static_cast<int>(target->size()) < maxLength) target->push_back(' ');
  }
  if (wentDown(kBackspaceSlot, KEY_BACKSPACE)) {
    bool wasSelected = selected;
    replaceSelection();
    if (!wasSelected && !target->empty()) target->pop_back();
  }
}

void TextInputEntry::draw(BITMAP* bitmap) {
  if (!enabled || !bitmap) return;
  if (centred) y += centreOffsetY;
  MenuEntry::draw(bitmap);
  if (centred) y -= centreOffsetY;
  if (!target || !::font) return;
  std::string shownText = *target;
  if (typing && cursorVisible) shownText += kCursor;
  int tx = textLeft();
  if (typesWhenHighlighted && typing) drawField(bitmap, tx, static_cast<int>(y));
  textout_ex(bitmap, ::font, shownText.c_str(), tx, static_cast<int>(y), -1, -1);
}

int TextInputEntry::textLeft() {
  if (centred) return static_cast<int>(x) - text_length(::font, target->c_str()) / 2;
  return static_cast<int>(x) + textOffsetX;
}

// Room for the text and its cursor, and for a few letters when it is short.
int TextInputEntry::fieldWidth() {
  return std::max(text_length(::font, (*target + kCursor).c_str()), kFieldMinChars * text_length(::font, "M"));
}

int TextInputEntry::shownRight() {
  int right = MenuEntry::shownRight();
  if (!target || !::font) return right;
  bool framed = typesWhenHighlighted && typing;
  int textRight = textLeft() + (framed ? fieldWidth() + kFieldPaddingPx : text_length(::font, target->c_str()));
  return std::max(right, textRight);
}

// A frame that says where the typing goes, and a gold band under a selected
// text that the next key will replace.
void TextInputEntry::drawField(BITMAP* bitmap, int left, int top) {
  int textW = text_length(::font, target->c_str());
  int h = text_height(::font);
  int x1 = left - kFieldPaddingPx, y1 = top - kFieldPaddingPx;
  int x2 = left + fieldWidth() + kFieldPaddingPx, y2 = top + h + kFieldPaddingPx - 1;
  drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
  set_trans_blender(0, 0, 0, kFieldShadeAlpha);
  rectfill(bitmap, x1, y1, x2, y2, makecol(16, 28, 64));
  if (selected && textW > 0) {
    set_add_blender(0, 0, 0, kSelectionAlpha);
    rectfill(bitmap, left - 1, top, left + textW, top + h - 1, makecol(255, 170, 40));
  }
  solid_mode();
  rect(bitmap, x1, y1, x2, y2, makecol(255, 255, 255));
}
