#include "engine/text_label.h"

#include <allegro.h>

#include "engine/engine.h"
#include "engine/screen.h"

namespace {
const int kBackdropAlpha = 128;

// anchor -> the engine's text alignment; -1 draws no text.
int alignFor(int anchor) {
  switch (anchor) {
    case 0: return 0;
    case 1: return 1;
    case 3: return 3;
    default: return -1;
  }
}
}  // namespace

TextLabel::TextLabel(const std::string& labelText) : text(labelText), font(::font) {}

int TextLabel::textWidth() const {
  return Engine::instance ? Engine::instance->textLength(text, ::font) : 0;
}

int TextLabel::textHeight() const {
  return Engine::instance ? Engine::instance->textHeight(::font) : 0;
}

void TextLabel::drawBackdrop(BITMAP* target, int w, int h) {
  int ix = static_cast<int>(x), iy = static_cast<int>(y);
  int displayWidth = Screen::current ? Screen::current->displayWidth : target->w;
  set_trans_blender(0, 0, 0, kBackdropAlpha);
  drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
  if (anchor == 1) rectfill(target, 0, iy - h / 2, displayWidth, iy + h / 2, 0);
  if (anchor == 0) rectfill(target, ix, iy, ix + w, iy + h, 0);
  if (anchor == 3) rectfill(target, ix - w, iy, ix, iy + h, 0);
  solid_mode();
}

void TextLabel::draw(BITMAP* target) {
  if (!visible) return;
  Drawable::draw(target);
  if (!font) return;
  int w = text_length(font, text.c_str());
  int h = text_height(font);
  if (backdrop) drawBackdrop(target, w, h);
  int align = alignFor(anchor);
  if (align < 0 || !Engine::instance) return;
  int ix = static_cast<int>(x), iy = static_cast<int>(y);
  if (shadowOffset != 0) {
    Engine::instance->drawText(target, text, ix + shadowOffset, iy + shadowOffset, 0, align);
  }
  Engine::instance->drawText(target, text, ix, iy, colour, align);
}
