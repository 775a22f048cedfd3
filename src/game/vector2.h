#pragma once
#include <cmath>

#include "engine/drawable.h"

// Two floats for aiming and movement, in level pixels.
struct Vector2 {
  float x = 0.0f, y = 0.0f;

  Vector2() = default;
  Vector2(float vx, float vy) : x(vx), y(vy) {}

  void set(float vx, float vy) {
    x = vx;
    y = vy;
  }
  bool operator==(const Vector2& other) const { return x == other.x && y == other.y; }
  Vector2& operator+=(const Vector2& other) {
    x += other.x;
    y += other.y;
    return *this;
  }
  Vector2 operator-(const Vector2& other) const { return {x - other.x, y - other.y}; }
  Vector2 operator*(float factor) const { return {x * factor, y * factor}; }
  float length() const { return std::sqrt(x * x + y * y); }
  // This vector times length ÷ its own length; a zero vector stays zero.
  Vector2 scaledTo(float newLength) const {
    float current = length();
    return current == 0.0f ? Vector2() : *this * (newLength / current);
  }
};

// Every "closer than R" test compares this against R squared.
inline float squaredDistance(float x1, float y1, float x2, float y2) {
  return (x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1);
}

// A box shrunk by margin pixels on every side.
inline BoundingBox shrunk(const BoundingBox& box, int margin) {
  return {box.left + margin, box.top + margin, box.right - margin, box.bottom - margin};
}

// True when a corner of tested lies inside reference, edges included. One
// way only: a tested box that wholly contains reference does not count.
inline bool cornerInside(const BoundingBox& tested, const BoundingBox& reference) {
  const int xs[2] = {tested.left, tested.right};
  const int ys[2] = {tested.top, tested.bottom};
  for (int cx : xs) {
    for (int cy : ys) {
      if (cx >= reference.left && cx <= reference.right && cy >= reference.top && cy <= reference.bottom)
        return true;
    }
  }
  return false;
}
