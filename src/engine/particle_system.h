#pragma once
#include <vector>

#include "engine/datafile_ref.h"
#include "engine/drawable.h"

// One short-lived spark, splash or bit of debris, in world coordinates.
struct Particle {
  int alpha = 255;
  float life = 0.0f;
  float lifeTotal = 0.0f;
  float x = 0.0f, y = 0.0f;
  float vx = 0.0f, vy = 0.0f;
  float ax = 0.0f, ay = 0.0f;
  int colour = 0;
  int alphaStart = 255;
};

// A drawable that owns its particles: emits them with three emitters, moves
// and fades them, and draws each as a "particles.dat" bitmap (or a pixel)
// with additive blending.
class ParticleSystem : public Drawable {
 public:
  std::vector<Particle> particles;
  int alphaStart = 255;
  bool floorEnabled = false;
  int floorOffset = 0;
  int floorY = 0;
  float speedRange = 100.0f;
  float speedTop = 120.0f;
  float accelX = 0.0f, accelY = 0.0f;
  int bitmapIndex = 0;  // -1 draws single pixels
  DatafileRef datafile;

  ParticleSystem();

  // An explosion falling under gravity; colour -1 picks one random light
  // colour for the whole burst.
  void burst(float x, float y, int count, int colour);
  // Particles around and above the point that drift by (accelX, accelY).
  void spray(float x, float y, int count, float extraLife);
  // A jet: 0 left, 1 right (both slightly up), 2 up, 3 right.
  void stream(int direction, float x, float y, int count, int colour);
  // Moves, fades and removes the particles; the interpolators do not run.
  void step(float dt) override;
  void draw(BITMAP* target) override;
  int particleCount() const { return static_cast<int>(particles.size()); }

 private:
  int randomSpeed() const;
  Particle newParticle() const;
  // A null bitmap draws the particle as a pixel.
  void drawParticle(BITMAP* target, const Particle& p, BITMAP* bitmap, float shiftX, float shiftY);
};

// makecol of three random components 128..255, drawn blue, green, red.
int randomLightColour();
