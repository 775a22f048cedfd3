#include "engine/particle_system.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/screen.h"
#include "engine/translucent.h"

namespace {
const float kBurstGravity = 200.0f;   // pixels per second squared
const float kStreamGravity = 100.0f;  // pixels per second squared
const float kSprayAngleStart = 1.57f;
const float kStreamLift = -0.2f;      // upward share of a sideways stream
const int kAdditiveBlend = 1;
}  // namespace

int randomLightColour() {
  int b = 128 + rand() % 128;
  int g = 128 + rand() % 128;
  int r = 128 + rand() % 128;
  return makecol(r, g, b);
}

ParticleSystem::ParticleSystem() {
  datafile.open("particles.dat");
  blendMode = kAdditiveBlend;
  cullable = false;
}

int ParticleSystem::randomSpeed() const {
  int range = static_cast<int>(speedRange);
  int base = static_cast<int>(speedTop - speedRange);
  return (range > 0 ? rand() % range : 0) + base;
}

Particle ParticleSystem::newParticle() const {
  Particle p;
  p.alpha = 255;
  p.alphaStart = alphaStart;
  return p;
}

void ParticleSystem::burst(float x, float y, int count, int colour) {
  if (colour == -1) colour = randomLightColour();
  for (int i = 0; i < count; ++i) {
    Particle p = newParticle();
    float angle = static_cast<float>(rand() % 314);
    float speed = static_cast<float>(randomSpeed());
    p.vx = speed * std::sin(angle);
    p.vy = speed * std::cos(angle);
    float t = (rand() % 100) * 0.001f;
    p.life = p.lifeTotal = (rand() % 200) * 0.004f;
    p.x = static_cast<float>(static_cast<int>(x + t * p.vx));
    p.y = static_cast<float>(static_cast<int>(y + t * p.vy));
    p.ay = kBurstGravity;
    p.colour = colour;
    particles.push_back(p);
  }
  floorY = static_cast<int>(y) + floorOffset;
}

void ParticleSystem::spray(float x, float y, int count, float extraLife) {
  for (int i = 0; i < count; ++i) {
    Particle p = newParticle();
    p.colour = randomLightColour();
    float angle = (rand() % 314) * 0.01f + kSprayAngleStart;
    float speed = static_cast<float>(randomSpeed());
    float t = (rand() % 100) * 0.001f;
    p.life = p.lifeTotal = (rand() % 200) * 0.004f + extraLife;
    p.x = static_cast<float>(static_cast<int>(x + std::sin(angle) * speed * t));
    p.y = static_cast<float>(static_cast<int>(y + std::cos(angle) * speed * t));
    p.ax = accelX;
    p.ay = accelY;
    particles.push_back(p);
  }
  floorY = static_cast<int>(y) + floorOffset;
}

void ParticleSystem::stream(int direction, float x, float y, int count, int colour) {
  for (int i = 0; i < count; ++i) {
    rand();  // one draw is discarded per particle
    Particle p = newParticle();
    float speed = static_cast<float>(randomSpeed());
    float t = (rand() % 200) * 0.001f;
    p.life = p.lifeTotal = (rand() % 500) * 0.004f;
    switch (direction) {
      case 0: p.vx = -speed; p.vy = kStreamLift * speed; break;
      case 1: p.vx = speed; p.vy = kStreamLift * speed; break;
      case 2: p.vy = -speed; break;
      case 3: p.vx = speed; break;
      default: break;
    }
    p.x = static_cast<float>(static_cast<int>(x + p.vx * t));
    p.y = static_cast<float>(static_cast<int>(y + p.vy * t));
    p.ay = kStreamGravity;
    p.colour = colour;
    particles.push_back(p);
  }
  floorY = static_cast<int>(y) + floorOffset;
}

void ParticleSystem::step(float dt) {
  for (Particle& p : particles) {
    p.x += dt * p.vx;
    p.y += dt * p.vy;
    p.vx += dt * p.ax;
    p.vy += dt * p.ay;
    p.life -= dt;
    // A particle born with no life has nothing to fade; it is removed below.
    p.alpha = p.lifeTotal > 0.0f ? static_cast<int>(p.life * p.alphaStart / p.lifeTotal) : 0;
  }
  particles.erase(std::remove_if(particles.begin(), particles.end(),
                                 [](const Particle& p) { return !(p.life > 0.0f); }),
                  particles.end());
  if (!floorEnabled) return;
  for (Particle& p : particles) {
    if (static_cast<int>(p.y) >= floorY) p.vx = p.vy = 0.0f;
  }
}

void ParticleSystem::draw(BITMAP* target) {
  if (particles.empty()) return;
  float shiftX = 0.0f, shiftY = 0.0f;
  if (screen && screen->cameraTarget) {
    shiftX = screen->cameraTarget->x - screen->width / 2;
    shiftY = screen->cameraTarget->y - screen->height / 2;
  }
  BITMAP* bitmap = nullptr;  // looked up once for the whole list
  if (bitmapIndex >= 0) {
    bitmap = static_cast<BITMAP*>(datafile.isLoaded ? datafile.get(bitmapIndex) : nullptr);
    if (!bitmap) return;
  }
  for (const Particle& p : particles) drawParticle(target, p, bitmap, shiftX, shiftY);
  solid_mode();
}

void ParticleSystem::drawParticle(BITMAP* target, const Particle& p, BITMAP* bitmap, float shiftX,
                                  float shiftY) {
  applyBlender(0, 0, 0, p.alpha);
  int px = static_cast<int>(p.x - shiftX);
  int py = static_cast<int>(p.y - shiftY);
  if (!bitmap) {
    putpixel(target, px, py, p.colour);
    return;
  }
  drawTranslucent(target, bitmap, px - bitmap->w / 2, py - bitmap->h / 2);
}
