#pragma once
#include <string>

#include "menu/menu_entry.h"

// A line that edits a caller's string. Activation starts and ends typing
// (through `pressed`), or, with typesWhenHighlighted, typing is on while the
// line is highlighted. While typing, letters, digits, Space and Backspace
// edit the text and a cursor blinks after it.
class TextInputEntry : public MenuEntry {
 public:
  static const int kKeyCount = 38;  // A–Z, 0–9, Space, Backspace

  std::string* target = nullptr;  // not owned
  int maxLength = 20;
  bool cursorVisible = true;
  float blinkInterval = 0.2f;  // seconds
  float blinkTimer = 0.0f;
  int textOffsetX = 0;  // px from x to the edited text, when not centred
  bool spacesAllowed = true;
  bool centred = false;    // text centred on x, label centreOffsetY below
  int centreOffsetY = 0;
  bool keyHeld[kKeyCount] = {};
  // Typing follows the highlight, and the text found when typing starts is
  // selected: the first key replaces it, Backspace clears it. Enter hands
  // the highlight on to the next line.
  bool typesWhenHighlighted = false;
  bool selected = false;  // the whole text, shown marked

  TextInputEntry(std::string* target, int textOffsetX);

  void step(float dt) override;
  void draw(BITMAP* target) override;
  // Ends typing, so the menu gets Space back for activation.
  void onPageLeft() override;
  void onActivate() override;
  int shownRight() override;

 private:
  void blink(float dt);
  void type();
  // True when the key at slot went down since the last update.
  bool wentDown(int slot, int code);
  void setTyping(bool on);
  // Empties a selected text before an edit.
  void replaceSelection();
  int textLeft();
  int fieldWidth();
  void drawField(BITMAP* bitmap, int left, int top);

  bool typing = false;  // as of the last update
  bool edited = false;  // since the page was shown
};
