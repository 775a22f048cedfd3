#include "engine/interpolator.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {
struct Tween {
  float value = 0.0f;
  Interpolator tween;
  Tween() { tween.setUpdatee(&value); }
};
}  // namespace

TEST(Interpolator, OneRunReachesTheTargetInEvenStepsThenStops) {
  Tween t;
  t.tween.start(10, 2, 0);
  float expected[] = {2.5f, 5.0f, 7.5f, 10.0f};
  for (float e : expected) {
    t.tween.update(0.5f);
    EXPECT_FLOAT_EQ(t.value, e);
  }
  EXPECT_FALSE(t.tween.running);
  t.tween.update(0.5f);
  EXPECT_FLOAT_EQ(t.value, 10.0f);
}

TEST(Interpolator, RepeatJumpsBackToTheStartAndEndsAtTheTarget) {
  Tween t;
  t.tween.start(10, 1, 1);
  t.tween.update(1.0f);
  EXPECT_FLOAT_EQ(t.value, 0.0f);
  EXPECT_TRUE(t.tween.running);
  t.tween.update(0.5f);
  EXPECT_FLOAT_EQ(t.value, 5.0f);
  t.tween.update(0.5f);
  EXPECT_FLOAT_EQ(t.value, 10.0f);
  EXPECT_FALSE(t.tween.running);
}

TEST(Interpolator, PingPongReturnsToStart) {
  Tween t;
  t.tween.pingPong = true;
  t.tween.start(10, 1, 1);
  t.tween.update(1.0f);
  EXPECT_FLOAT_EQ(t.value, 10.0f);
  t.tween.update(0.25f);
  EXPECT_FLOAT_EQ(t.value, 7.5f);
  t.tween.update(0.75f);
  EXPECT_FLOAT_EQ(t.value, 0.0f);
  EXPECT_FALSE(t.tween.running);
}

TEST(Interpolator, NegativeRepeatsNeverStop) {
  Tween t;
  t.tween.pingPong = true;
  t.tween.start(1, 0.1f, -1);
  for (int i = 0; i < 1000; ++i) t.tween.update(0.1f);
  EXPECT_TRUE(t.tween.running);
  EXPECT_EQ(t.tween.repeats, -1);
}

TEST(Interpolator, DelayIsSpentBeforeTheRunAndTheOvershootIsDropped) {
  Tween t;
  t.tween.start(10, 1.2f, 0);
  t.tween.delay = 1.0f;
  t.tween.update(0.6f);
  EXPECT_FLOAT_EQ(t.tween.delay, 0.4f);
  EXPECT_FLOAT_EQ(t.value, 0.0f);
  t.tween.update(0.6f);
  EXPECT_NEAR(t.tween.delay, -0.2f, 1e-6);
  EXPECT_FLOAT_EQ(t.value, 0.0f);
  t.tween.update(0.6f);
  EXPECT_FLOAT_EQ(t.value, 5.0f);
}

TEST(Interpolator, CyclingWrapsPast255AndBelowZero) {
  Tween t;
  t.value = 250.0f;
  t.tween.start(0, 1, 0);
  t.tween.wrap = true;
  t.tween.rate = 100.0f;
  t.tween.update(0.01f);
  EXPECT_FLOAT_EQ(t.value, 251.0f);
  t.tween.update(0.1f);  // 261 is past the top
  EXPECT_FLOAT_EQ(t.value, 0.0f);
  t.tween.rate = -100.0f;
  t.tween.update(0.1f);
  EXPECT_FLOAT_EQ(t.value, 255.0f);
  EXPECT_TRUE(t.tween.running);
}

TEST(Interpolator, StartAtSpeedTakesItsDurationFromTheDistance) {
  Tween t;
  t.value = 100.0f;
  t.tween.startAtSpeed(40, 30, 0);
  EXPECT_FLOAT_EQ(t.tween.duration, 2.0f);
  t.tween.update(1.0f);
  EXPECT_FLOAT_EQ(t.value, 70.0f);
}

TEST(Interpolator, ZeroDurationCompletesOnTheNextUpdate) {
  Tween t;
  t.tween.start(7, 0, 0);
  t.tween.update(0.0f);
  EXPECT_FLOAT_EQ(t.value, 7.0f);
  EXPECT_FALSE(t.tween.running);
}

TEST(Interpolator, StartWithoutUpdateeReportsAndChangesNothing) {
  Interpolator tween;
  tween.start(10, 1, 0);
  EXPECT_FALSE(tween.running);
  ASSERT_EQ(testsupport::messageBoxTexts().size(), 1u);
  EXPECT_EQ(testsupport::messageBoxTexts()[0], "No updatee set for interpolator!");
}
