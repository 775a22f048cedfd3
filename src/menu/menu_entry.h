#pragma once
#include <string>

#include "engine/input_map.h"
#include "engine/interpolator.h"
#include "engine/sprite.h"
#include "engine/text_label.h"

struct BITMAP;
class Menu;

// One selectable line of a menu: a text label (or an icon) that carries an
// action string, glows additively while highlighted and reacts to the mouse.
// The kinds with a value of their own derive from it and extend step/draw.
class MenuEntry : public TextLabel, public InputMap {
 public:
  static const int kGlowMarginPx = 7;  // how far the glow reaches past the text

  // A disabled line is not drawn, not stopped on by the keys and not hit by
  // the mouse. (Hides InputMap::enabled: a line always polls its keys.)
  bool enabled = true;
  std::string action;
  Menu* owner = nullptr;  // set by the menu's adders
  bool highlighted = true;
  bool pressed = false;
  bool mouseDown = false;
  BITMAP* glowBitmap = nullptr;  // owned; a halo around the label's ink, on black
  float glow = 100.0f;           // additive glow strength, 0–255
  Interpolator glowInterp;
  Sprite icon;
  bool hasIcon = false;
  int id = 0;  // the caller's own tag

  MenuEntry();
  ~MenuEntry() override;

  // Sets the text and rebuilds the glow bitmap from it.
  void setLabel(const std::string& label);
  void step(float dt) override;
  void draw(BITMAP* target) override;
  // Called after the owner executed this line's action; the base does nothing.
  virtual void onActivate() {}
  // Called when the menu switches away from this line's page.
  virtual void onPageLeft() {}
  // The right edge of what the line shows, its value included, at its
  // drawing position: the highlight's right marker goes past it.
  virtual int shownRight();
  void onAction(const std::string& name, bool down) override;

  // Glows up (playing the owner's move sound when withSound); no-op when
  // already highlighted.
  void highlight(bool withSound);
  // Fades the glow out; no-op when not highlighted.
  void unhighlight();

 protected:
  // The shared line update; false when the line has no owner and the kind
  // should stop there too.
  bool updateLine(float dt);

 private:
  void rebuildGlow();
  bool mouseOver();
  void handleMouse();
  void drawGlow(BITMAP* target);
  void drawMarkers(BITMAP* target);
};
