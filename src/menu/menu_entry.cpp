#include "menu/menu_entry.h"

#include <allegro.h>

#include "engine/engine.h"
#include "engine/log.h"
#include "menu/line_glow.h"
#include "menu/menu.h"

namespace {

const float kHighlightGlow = 148.0f;
const float kHighlightGlowS = 0.1f;
const float kUnhighlightGlowS = 0.25f;
const float kIconHighlightAlpha = 255.0f;
const float kIconHighlightS = 0.1f;
const float kIconDimAlpha = 128.0f;
const float kIconDimS = 0.2f;

}  // namespace

MenuEntry::MenuEntry() { glowInterp.setUpdatee(&glow); }

MenuEntry::~MenuEntry() {
  if (glowBitmap) destroy_bitmap(glowBitmap);
}

// A toggle sets its label on every update; an unchanged label keeps its glow.
void MenuEntry::setLabel(const std::string& label) {
  if (label == text && glowBitmap) return;
  text = label;
  rebuildGlow();
}

void MenuEntry::rebuildGlow() {
  if (glowBitmap) destroy_bitmap(glowBitmap);
  glowBitmap = nullptr;
  int w = textWidth(), h = textHeight();
  if (w <= 0 || h <= 0 || !Engine::instance) return;
  BITMAP* ink = create_bitmap(w, h);
  if (!ink) return;
  clear_to_color(ink, makecol(0, 0, 0));
  Engine::instance->drawText(ink, text, 0, 0, colour, 0);
  glowBitmap = makeLineGlow(ink, kGlowMarginPx);
  destroy_bitmap(ink);
}

void MenuEntry::onAction(const std::string&, bool) {}

void MenuEntry::highlight(bool withSound) {
  if (highlighted) return;
  if (withSound && owner) owner->playThrottled(owner->moveSound, kHighlightGlowS);
  glowInterp.start(kHighlightGlow, kHighlightGlowS, 0);
  highlighted = true;
  icon.alphaInterp.start(kIconHighlightAlpha, kIconHighlightS, 0);
}

void MenuEntry::unhighlight() {
  if (!highlighted) return;
  highlighted = false;
  glowInterp.start(0.0f, kUnhighlightGlowS, 0);
  icon.alphaInterp.start(kIconDimAlpha, kIconDimS, 0);
}

void MenuEntry::step(float dt) { updateLine(dt); }

bool MenuEntry::updateLine(float dt) {
  poll();
  if (hasIcon) icon.update(dt);
  if (!owner) {
    log("MenuEntry [" + text + "] doesn't have a menu pointer", true);
    return false;
  }
  glowInterp.update(dt);
  if (owner->mouseLocked || !enabled) return true;
  if (mouseOver()) handleMouse();
  return true;
}

bool MenuEntry::mouseOver() {
  int mx = mouse_x, my = mouse_y;
  if (hasIcon) {
    float halfW = icon.frameWidth() / 2.0f, halfH = icon.frameHeight() / 2.0f;
    return mx > x - halfW && mx < x + halfW && my > y - halfH && my < y + halfH;
  }
  float w = static_cast<float>(owner->hoverWidth != 0 ? owner->hoverWidth : textWidth());
  float h = static_cast<float>(textHeight());
  float leftEdge = anchor == 1 ? x - w / 2.0f : x;
  return mx >= leftEdge && mx <= leftEdge + w && my >= y && my < y + h;
}

// Outside the line nothing changes, so a press that wanders off and comes
// back still activates on release.
void MenuEntry::handleMouse() {
  if (owner->mouseMoved) owner->selectEntry(this);
  if (mouse_b & 1) {
    if (!mouseDown && hasIcon) onActivate();
    mouseDown = true;
  } else if (mouseDown) {
    mouseDown = false;
    owner->executeAction(action);
    onActivate();
  }
}

void MenuEntry::draw(BITMAP* target) {
  if (!enabled || !visible || !target) return;
  if (hasIcon) {
    icon.x = x;
    icon.y = y;
    icon.draw(target);
    return;
  }
  // The halo goes under the text, so the label stays crisp inside it.
  if (highlighted && glowBitmap) drawGlow(target);
  TextLabel::draw(target);
  if (highlighted) drawMarkers(target);
}

void MenuEntry::drawGlow(BITMAP* target) {
  int gx = static_cast<int>(x) - kGlowMarginPx, gy = static_cast<int>(y) - kGlowMarginPx;
  if (anchor == 1) gx = static_cast<int>(x) - glowBitmap->w / 2;
  set_add_blender(0, 0, 0, static_cast<int>(glow));
  // The glow has no alpha channel of its own, whatever the depth.
  draw_trans_sprite(target, glowBitmap, gx, gy);
}

int MenuEntry::shownRight() { return static_cast<int>(x) + (anchor == 1 ? textWidth() - textWidth() / 2 : textWidth()); }

void MenuEntry::drawMarkers(BITMAP* target) {
  int left = static_cast<int>(x) - (anchor == 1 ? textWidth() / 2 : 0);
  int alpha = static_cast<int>(glow * 255.0f / kHighlightGlow);
  drawLineMarkers(target, left, shownRight(), static_cast<int>(y), textHeight(), alpha);
}
