#pragma once
#include "engine/interpolator.h"

// The idle drift many swimmers share: 0 -> 10 px and back every 0.8 s, for
// ever. The owner advances it and draws itself offset by `offset`.
struct Bob {
  static constexpr float kHeightPx = 10.0f;
  static constexpr float kHalfPeriodS = 0.8f;

  Interpolator tween;
  float offset = 0.0f;

  Bob() {
    tween.setUpdatee(&offset);
    tween.pingPong = true;
    tween.start(kHeightPx, kHalfPeriodS, -1);
  }
  Bob(const Bob&) = delete;
  Bob& operator=(const Bob&) = delete;

  void update(float dt) { tween.update(dt); }
  int pixels() const { return static_cast<int>(offset); }
};
