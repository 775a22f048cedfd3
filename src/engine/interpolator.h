#pragma once

// Moves one float owned by somebody else (the updatee) towards a target
// over time: once, n more times, for ever, back and forth, or cycling
// through 0..255. A plain value embedded in its owner; never allocates.
class Interpolator {
 public:
  bool pingPong = false;
  bool running = false;
  bool wrap = false;
  int repeats = 0;
  float duration = 0.0f;
  float delay = 0.0f;
  float end = 0.0f;
  float timeScale = 1.0f;
  float rate = 0.0f;
  // The value the current run began at. (Named apart from the start
  // operation, which C++ cannot share a name with.)
  float startValue = 0.0f;
  float elapsed = 0.0f;
  float* updatee = nullptr;
  bool* wake = nullptr;  // set true on every start, for an owner that skips idle tweens

  void setUpdatee(float* value) { updatee = value; }
  void setWake(bool* flag) { wake = flag; }

  // Glides from the updatee's current value to target in seconds; repeats
  // further runs (negative: for ever). Reports an error without an updatee.
  void start(float target, float seconds, int repeatCount);
  // Like start, with the duration taken from a speed in units per second.
  void startAtSpeed(float target, float speed, int repeatCount);
  void stop() { running = false; }
  // Advances by dt seconds; called once per frame by the owner. Inline:
  // every drawable holds several, and most stand still.
  void update(float dt) {
    if (running) advance(dt);
  }

 private:
  void advance(float dt);
  void finishRun();
};
