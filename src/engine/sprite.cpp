#include "engine/sprite.h"

#include <allegro.h>

#include <algorithm>
#include <sstream>

#include "engine/log.h"
#include "engine/prepared_art.h"
#include "engine/translucent.h"

namespace {

const std::string kNoAnimation;
const int kAdditiveBlendMode = 1;  // the add blender in Drawable::applyBlender

bool anyClip(const int clip[4]) { return clip[0] || clip[1] || clip[2] || clip[3]; }

// Allegro fixed point; the clamp keeps far off-screen positions from
// overflowing (they draw nothing either way).
fixed toFixed(int value) { return std::clamp(value, -32767, 32767) * 65536; }

}  // namespace

Sprite::Sprite() { animation.setUpdatee(&frame); }

Sprite* newSprite(const std::string& datafileName, int frame, int anchor, int x, int y) {
  auto* sprite = new Sprite;
  sprite->datafile.open(datafileName);
  sprite->frame = static_cast<float>(frame);
  sprite->anchor = anchor;
  sprite->setPosition(x, y);
  return sprite;
}

void Sprite::playAnimation(const std::string& name, int from, int to, float duration,
                           int repeats, bool pingPong, float delay) {
  if (from == 0 && to == 0) {
    logInfo("null animation");
    animation.stop();
    return;
  }
  currentAnimation = name;
  frame = static_cast<float>(from);
  animation.start(static_cast<float>(to), duration, repeats);
  animation.pingPong = pingPong;
  animation.delay = delay;
}

void Sprite::playAnimation(const AnimationDef& def) {
  playAnimation(def.name, def.from, def.to, def.duration, def.repeats, def.pingPong, 0.0f);
}

void Sprite::onAnimationDone(const std::string&) {}

void Sprite::step(float dt) {
  Drawable::step(dt);
  animation.update(dt);
  if (!animation.running) {
    if (currentAnimation.empty()) {
      // Every frame after an end: the same call without copying a name.
      onAnimationDone(kNoAnimation);
      lastAnimation.clear();
    } else {
      std::string ended = currentAnimation;
      onAnimationDone(ended);
      lastAnimation = ended;
    }
    // A hook that started the next animation keeps its name.
    if (!animation.running) currentAnimation.clear();
  }
  updateBounds();
}

void Sprite::command(const std::string& text) {
  Drawable::command(text);
  std::istringstream in(text);
  std::string word;
  in >> word;
  if (word == "animate") {
    float from = 0, to = 0, duration = 0, repeats = 0;
    bool pingPong = false;
    in >> from >> to >> duration >> repeats >> pingPong;
    playAnimation("", static_cast<int>(from), static_cast<int>(to), duration,
                  static_cast<int>(repeats), pingPong, 0.0f);
  } else if (word == "stopAnimating") {
    stopAnimating();
  } else if (word == "frame") {
    float value = frame;
    in >> value;
    frame = value;
  } else if (word == "useSubDatafile") {
    int index = 0;
    in >> index;
    datafile.useSubDatafile(index);
  }
}

void* Sprite::frameObject(int& type) {
  int index = static_cast<int>(frame);
  // A frame in range is read straight from the datafile, several times a
  // frame for every sprite; anything else goes through the handle, which
  // reports it.
  if (datafile.isLoaded && datafile.current && index >= 0 && index < datafile.lastIndex) {
    type = datafile.current[index].type;
  } else {
    type = datafile.isLoaded ? datafile.typeOf(index) : 0;
  }
  if (type != DAT_BITMAP && type != DAT_RLE_SPRITE) return nullptr;
  return datafile.current[static_cast<int>(frame)].dat;
}

void Sprite::frameSize(int& w, int& h) {
  int type = 0;
  void* object = frameObject(type);
  w = h = 0;
  if (type == DAT_BITMAP) {
    w = static_cast<BITMAP*>(object)->w;
    h = static_cast<BITMAP*>(object)->h;
  } else if (type == DAT_RLE_SPRITE) {
    w = static_cast<RLE_SPRITE*>(object)->w;
    h = static_cast<RLE_SPRITE*>(object)->h;
  }
}

int Sprite::frameWidth() {
  int w, h;
  frameSize(w, h);
  return w;
}

int Sprite::frameHeight() {
  int w, h;
  frameSize(w, h);
  return h;
}

void Sprite::updateBounds() {
  if (!datafile.isLoaded) return;
  int px = static_cast<int>(cameraOffsetX + x);
  int py = static_cast<int>(cameraOffsetY + y - z);
  int w, h;
  frameSize(w, h);  // one lookup: bounds are refreshed several times a frame
  // Sizes are never negative, so a shift halves them as w / 2 would, and
  // keeps the compiler from a slow vector form of this small switch.
  int halfW = static_cast<int>(static_cast<unsigned>(w) >> 1);
  int halfH = static_cast<int>(static_cast<unsigned>(h) >> 1);
  switch (anchor) {
    case 0: left = px; right = px + w; top = py; bottom = py + h; break;
    case 1: left = px - halfW; right = px + halfW; top = py - halfH; bottom = py + halfH; break;
    case 2: left = px - halfW; right = px + halfW; top = py - h; bottom = py; break;
    case 4: left = px; right = px + w; top = py - h; bottom = py; break;
    default: break;
  }
}

void Sprite::draw(BITMAP* target) {
  if (alpha == 0.0f || !target || !visible) return;
  float savedDrawX = x, savedDrawY = y;
  x = x + cameraOffsetX;
  y = y - z + cameraOffsetY;
  int type = 0;
  void* object = frameObject(type);
  if (type == DAT_BITMAP) drawBitmap(target, static_cast<BITMAP*>(object));
  if (type == DAT_RLE_SPRITE) drawRle(target, static_cast<RLE_SPRITE*>(object));
  Drawable::draw(target);
  x = savedDrawX;
  y = savedDrawY;
}

void Sprite::drawBitmap(BITMAP* target, BITMAP* bitmap) {
  int clipLeft, clipTop, clipRight, clipBottom;
  get_clip_rect(target, &clipLeft, &clipTop, &clipRight, &clipBottom);
  int ix = static_cast<int>(x), iy = static_cast<int>(y);
  if (anyClip(clipRect)) {
    set_clip_rect(target, ix + clipRect[0], iy + clipRect[1], ix + clipRect[2] - 1,
                  iy + clipRect[3] - 1);
  }
  if (!drawStretched(target, bitmap)) {
    if (angle != 0.0f && anchor >= 0 && anchor <= 3) {
      drawRotated(target, bitmap);
    } else {
      drawAtCorner(target, bitmap);
    }
  }
  set_clip_rect(target, clipLeft, clipTop, clipRight, clipBottom);
}

bool Sprite::drawStretched(BITMAP* target, BITMAP* bitmap) {
  if (anchor != 1 && anchor != 2) return false;
  bool widthTween = stretchWidthInterp.running, heightTween = stretchHeightInterp.running;
  // Only the centred anchor honours the force flags.
  bool forceX = anchor == 1 && forceStretchX, forceY = anchor == 1 && forceStretchY;
  int w = bitmap->w, h = bitmap->h;
  if ((widthTween && heightTween) || (forceX && forceY)) {
    w = static_cast<int>(stretchWidth);
    h = static_cast<int>(stretchHeight);
  } else if (widthTween || forceX) {
    w = static_cast<int>(stretchWidth);
  } else if (heightTween || forceY) {
    h = static_cast<int>(stretchHeight);
  } else {
    return false;
  }
  int ix = static_cast<int>(x), iy = static_cast<int>(y);
  int top = anchor == 1 ? iy - h / 2 : iy - h;
  stretch_sprite(target, bitmap, ix - w / 2, top, w, h);
  return true;
}

void Sprite::drawRotated(BITMAP* target, BITMAP* bitmap) {
  int w = bitmap->w, h = bitmap->h;
  int ix = static_cast<int>(x), iy = static_cast<int>(y);
  int px = ix, py = iy, pivotY = h / 2;
  if (anchor == 0) {
    px = ix + w / 2;
    py = iy + h / 2;
  } else if (anchor == 2) {
    pivotY = h;
  } else if (anchor == 3) {
    px = ix - w + w / 2;
    py = iy + h / 2;
  }
  // Allegro's inline wrapper shifts the coordinates into fixed point,
  // undefined for a sprite left of or above the screen: scale them here.
  target->vtable->pivot_scaled_sprite_flip(target, bitmap, toFixed(px), toFixed(py), toFixed(w / 2), toFixed(pivotY),
                                           ftofix(angle), ftofix(1.0), FALSE);
}

void Sprite::drawAtCorner(BITMAP* target, BITMAP* bitmap) {
  int w = bitmap->w, h = bitmap->h;
  int ix = static_cast<int>(x), iy = static_cast<int>(y);
  static const int kCornerShift[5][2] = {{0, 0}, {2, 2}, {2, 1}, {1, 0}, {0, 1}};
  if (anchor < 0 || anchor > 4) return;
  // Shifts: 0 none, 1 the whole size, 2 half of it.
  auto shift = [](int size, int kind) { return kind == 0 ? 0 : kind == 1 ? size : size / 2; };
  int cx = ix - shift(w, kCornerShift[anchor][0]);
  int cy = iy - shift(h, kCornerShift[anchor][1]);
  if (anchor != 4 && (alpha < 255.0f || blendMode >= 1)) {
    if (blendMode == kAdditiveBlendMode) {
      drawAdditive(target, bitmap, cx, cy, static_cast<int>(alpha));
      return;
    }
    applyBlender(0, 0, 0, static_cast<int>(alpha));
    drawTranslucent(target, bitmap, cx, cy);
    return;
  }
  bool flips = anchor == 1 || anchor == 2;
  if (flips && (vFlip || hFlip)) {
    drawMaskedFlipped(target, bitmap, cx, cy, vFlip);
  } else {
    drawMasked(target, bitmap, cx, cy);  // 8-bit frames go through the 256-colour path
  }
}

void Sprite::drawRle(BITMAP* target, RLE_SPRITE* rle) {
  if (anchor < 0 || anchor > 2) return;
  int ix = static_cast<int>(x), iy = static_cast<int>(y);
  int w = rle->w, h = rle->h;
  int cx = anchor == 0 ? ix : ix - w / 2;
  int cy = anchor == 0 ? iy : anchor == 1 ? iy - h / 2 : iy - h;
  bool opaque = anchor == 0 ? (alpha == 255.0f && blendMode == 0) : (alpha >= 255.0f && blendMode < 1);
  if (opaque) {
    draw_rle_sprite(target, rle, cx, cy);
    return;
  }
  if (anchor == 0 && alpha >= 255.0f) return;  // 255 with a blend mode, or above
  applyBlender(0, 0, 0, static_cast<int>(alpha));
  drawTranslucentRle(target, rle, cx, cy);
}
