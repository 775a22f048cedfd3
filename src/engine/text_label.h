#pragma once
#include <string>

#include "engine/drawable.h"

struct FONT;

// A line of text in the game font; anchor 0 left edge at x, 1 centred on x,
// 3 right edge at x, with an optional translucent backdrop and shadow.
class TextLabel : public Drawable {
 public:
  std::string text;
  int colour = -1;        // -1 keeps the font's own colours
  FONT* font = nullptr;   // the game font at creation
  bool backdrop = false;
  int shadowOffset = 0;

  explicit TextLabel(const std::string& text = "");
  void draw(BITMAP* target) override;
  void setFont(FONT* textFont) { font = textFont; }
  int textWidth() const;
  int textHeight() const;

 private:
  void drawBackdrop(BITMAP* target, int w, int h);
};
