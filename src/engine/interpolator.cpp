#include "engine/interpolator.h"

#include <cmath>

#include "engine/log.h"

namespace {
const float kCycleTop = 255.0f;  // cycling mode wraps within 0..255
}

void Interpolator::start(float target, float seconds, int repeatCount) {
  if (!updatee) {
    log("No updatee set for interpolator!", true);
    return;
  }
  repeats = repeatCount;
  end = target;
  duration = seconds;
  startValue = *updatee;
  elapsed = 0.0f;
  running = true;
  wrap = false;
  if (wake) *wake = true;
}

void Interpolator::startAtSpeed(float target, float speed, int repeatCount) {
  rate = speed;
  repeats = repeatCount;
  end = target;
  startValue = *updatee;
  running = true;
  elapsed = 0.0f;
  wrap = false;
  duration = std::fabs(end - startValue) / speed;
  if (wake) *wake = true;
}

void Interpolator::advance(float dt) {
  if (delay > 0.0f) {
    delay -= dt;
    return;
  }
  if (wrap) {
    float value = *updatee + dt * rate;
    if (value > kCycleTop) value = 0.0f;
    if (!(value >= 0.0f)) value = kCycleTop;  // also catches NaN
    *updatee = value;
    return;
  }
  elapsed += dt * timeScale;
  if (elapsed >= duration) {
    finishRun();
    return;
  }
  *updatee = startValue + (end - startValue) * (elapsed / duration);
}

void Interpolator::finishRun() {
  *updatee = end;
  running = false;
  if (repeats == 0) return;
  if (repeats > 0) --repeats;
  float from = startValue;
  if (!pingPong) {
    *updatee = from;
    start(end, duration, repeats);
  } else {
    start(from, duration, repeats);
  }
}
