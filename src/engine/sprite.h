#pragma once
#include <string>

#include "engine/datafile_ref.h"
#include "engine/drawable.h"
#include "engine/interpolator.h"

struct RLE_SPRITE;

// One row of an actor's animation table.
struct AnimationDef {
  std::string name;
  int from = 0;
  int to = 0;
  float duration = 0.0f;  // seconds
  int repeats = 0;
  bool pingPong = false;
};

// A drawable whose picture is the entry `frame` of a datafile. Animation is
// a tween of the frame number.
class Sprite : public Drawable {
 public:
  Interpolator animation;  // tweens frame
  DatafileRef datafile;
  float frame = 0.0f;
  std::string currentAnimation;
  std::string lastAnimation;
  bool forceStretchX = false, forceStretchY = false;

  Sprite();
  ~Sprite() override = default;

  void updateBounds() override;
  void draw(BITMAP* target) override;
  // The drawable's words first, then "animate", "stopAnimating", "frame"
  // and "useSubDatafile".
  void command(const std::string& text) override;
  void step(float dt) override;
  // Called on every step while no animation runs: first with the name of
  // the one that ended, afterwards with "".
  virtual void onAnimationDone(const std::string& name);

  // Runs frames from..to over duration seconds; from = to = 0 logs "null
  // animation" and stops.
  void playAnimation(const std::string& name, int from, int to, float duration, int repeats,
                     bool pingPong, float delay);
  void playAnimation(const AnimationDef& def);
  void stopAnimating() { animation.stop(); }
  // Size of the current frame when it is a bitmap or RLE sprite, else 0.
  int frameWidth();
  int frameHeight();

 private:
  // The current frame's object when it is a bitmap or RLE sprite, with
  // its type; null otherwise.
  void* frameObject(int& type);
  void frameSize(int& w, int& h);
  void drawBitmap(BITMAP* target, BITMAP* bitmap);
  bool drawStretched(BITMAP* target, BITMAP* bitmap);
  void drawRotated(BITMAP* target, BITMAP* bitmap);
  void drawAtCorner(BITMAP* target, BITMAP* bitmap);
  void drawRle(BITMAP* target, RLE_SPRITE* rle);
};

// A new sprite showing frame of the named datafile with its anchor at
// (x, y); the caller owns it (usually a state, through addSprite).
Sprite* newSprite(const std::string& datafileName, int frame, int anchor, int x, int y);
