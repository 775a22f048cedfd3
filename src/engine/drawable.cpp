#include "engine/drawable.h"

#include <allegro.h>

#include <algorithm>
#include <sstream>

namespace {

using BlenderFunction = void (*)(int, int, int, int);

// blendMode -> Allegro blender; mode 6 takes no arguments.
const BlenderFunction kBlenders[] = {set_trans_blender, set_add_blender,
                                     set_dissolve_blender, set_hue_blender,
                                     set_invert_blender, set_burn_blender};
const int kAlphaBlendMode = 6;

}  // namespace

Drawable::Drawable() {
  alphaInterp.setUpdatee(&alpha);
  angleInterp.setUpdatee(&angle);
  stretchWidthInterp.setUpdatee(&stretchWidth);
  stretchHeightInterp.setUpdatee(&stretchHeight);
  xInterp.setUpdatee(&x);
  yInterp.setUpdatee(&y);
  zInterp.setUpdatee(&z);
  for (Interpolator* tween : {&alphaInterp, &angleInterp, &stretchWidthInterp, &stretchHeightInterp, &xInterp,
                              &yInterp, &zInterp})
    tween->setWake(&tweensMayRun);
}

void Drawable::setPosition(int newX, int newY) {
  x = static_cast<float>(newX);
  y = static_cast<float>(newY);
}

void Drawable::draw(BITMAP* target) {
  if (!visible) return;
  for (Drawable* child : children) {
    child->x += x;
    child->y += y;
    child->draw(target);
    child->x -= x;
    child->y -= y;
  }
}

int Drawable::sortKey() { return static_cast<int>(depthBias + z + y); }

void Drawable::command(const std::string& text) {
  std::istringstream in(text);
  std::string word;
  in >> word;
  if (word == "pos") {
    int px = 0, py = 0;
    in >> px >> py;
    setPosition(px, py);
  } else if (word == "moveTo") {
    int tx = 0, ty = 0, speed = 0;
    in >> tx >> ty >> speed;
    moveTo(static_cast<float>(tx), static_cast<float>(ty), static_cast<float>(speed));
  } else if (word == "alpha") {
    float a = alpha;
    in >> a;
    alpha = a;
  } else if (word == "alphaInt") {
    int target = 0, repeats = 0;
    float duration = 0.0f;
    in >> target >> duration >> repeats;
    alphaInterp.start(static_cast<float>(target), duration, repeats);
  }
}

void Drawable::step(float dt) {
  if (tweensMayRun) {
    alphaInterp.update(dt);
    angleInterp.update(dt);
    stretchWidthInterp.update(dt);
    stretchHeightInterp.update(dt);
    xInterp.update(dt);
    yInterp.update(dt);
    zInterp.update(dt);
    tweensMayRun = alphaInterp.running || angleInterp.running || stretchWidthInterp.running ||
                   stretchHeightInterp.running || xInterp.running || yInterp.running || zInterp.running;
  }
  if (moving && !xInterp.running && !yInterp.running) moving = false;
}

void Drawable::moveTo(float tx, float ty, float speed) {
  if (speed == 0.0f) {
    xInterp.stop();
    yInterp.stop();
    moving = false;
    x = tx;
    y = ty;
    return;
  }
  xInterp.setUpdatee(&x);
  yInterp.setUpdatee(&y);
  xInterp.stop();
  yInterp.stop();
  if (tx != x) xInterp.startAtSpeed(tx, speed, 0);
  if (ty != y) yInterp.startAtSpeed(ty, speed, 0);
  moving = true;
}

void Drawable::savePosition() {
  savedX = x;
  savedY = y;
  savedZ = z;
}

void Drawable::restorePosition() {
  x = savedX;
  y = savedY;
  z = savedZ;
}

void Drawable::addChild(Drawable* child) { children.push_back(child); }

void Drawable::removeChild(Drawable* child) {
  auto found = std::find(children.begin(), children.end(), child);
  if (found != children.end()) children.erase(found);
}

void Drawable::setClipRect(int clipLeft, int clipTop, int clipRight, int clipBottom) {
  clipRect[0] = clipLeft;
  clipRect[1] = clipTop;
  clipRect[2] = clipRight;
  clipRect[3] = clipBottom;
}

void Drawable::applyBlender(int r, int g, int b, int a) const {
  if (blendMode == kAlphaBlendMode) {
    set_alpha_blender();
    return;
  }
  if (blendMode < 0 || blendMode >= static_cast<int>(std::size(kBlenders))) return;
  kBlenders[blendMode](r, g, b, a);
}
