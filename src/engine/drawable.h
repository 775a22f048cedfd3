#pragma once
#include <string>
#include <vector>

#include "engine/interpolator.h"

struct BITMAP;
class Screen;

// An integer box in world coordinates.
struct BoundingBox {
  int left, top, right, bottom;
};

// Everything the screen puts on a layer. Holds a world position, an opacity,
// a blend mode and seven properties that can glide through interpolators.
// Kinds override the virtual slots; children are drawn relative to it.
class Drawable {
 public:
  int left = 0, top = 0, right = 0, bottom = 0;
  std::vector<Drawable*> children;  // not owned
  int anchor = 0;
  int blendMode = 0;
  int depthBias = 0;
  int cameraOffsetX = 0, cameraOffsetY = 0;
  float x = 0.0f, y = 0.0f, z = 0.0f;
  float alpha = 255.0f;
  float angle = 0.0f;
  float stretchWidth = 0.0f, stretchHeight = 0.0f;
  float savedX = 0.0f, savedY = 0.0f, savedZ = 0.0f;
  Interpolator alphaInterp;
  Interpolator angleInterp;
  Interpolator stretchWidthInterp;
  Interpolator stretchHeightInterp;
  Interpolator xInterp;
  Interpolator yInterp;
  Interpolator zInterp;
  bool visible = true;
  bool vFlip = false, hFlip = false;
  Screen* screen = nullptr;
  int clipRect[4] = {0, 0, 0, 0};
  bool moving = false;
  bool cullable = true;
  // False once a step found all seven tweens idle, until one starts: most
  // drawables stand still, and their tweens then cost no memory reads.
  bool tweensMayRun = false;

  Drawable();
  Drawable(const Drawable&) = delete;
  Drawable& operator=(const Drawable&) = delete;
  virtual ~Drawable() = default;

  // Recomputes left, top, right, bottom; the base has no extent.
  virtual void updateBounds() {}
  virtual void setPosition(int newX, int newY);
  // Draws the children, each shifted by this drawable's position.
  virtual void draw(BITMAP* target);
  // trunc(depthBias + z + y): larger keys draw later, on top.
  virtual int sortKey();
  // Runs one text command ("pos", "moveTo", "alpha", "alphaInt").
  virtual void command(const std::string& text);
  // Advances the interpolators by dt seconds.
  virtual void step(float dt);

  // Called by the screen once per frame for every drawable on a layer.
  void update(float dt) { step(dt); }
  // Refreshes the bounds through updateBounds and returns them.
  BoundingBox boundingBox() {
    updateBounds();
    return {left, top, right, bottom};
  }
  // Glides to (tx, ty), each axis on its own at speed pixels per second;
  // speed 0 jumps at once.
  void moveTo(float tx, float ty, float speed);
  void savePosition();
  void restorePosition();
  void addChild(Drawable* child);
  void removeChild(Drawable* child);
  void setClipRect(int clipLeft, int clipTop, int clipRight, int clipBottom);
  // Selects the Allegro blender of blendMode with these arguments.
  void applyBlender(int r, int g, int b, int a) const;
};
