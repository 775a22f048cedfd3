#include "engine/particle_system.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "engine/datafile_cache.h"
#include "engine/screen.h"
#include "support/test_support.h"

namespace {

class ParticleSystemTest : public testing::Test {
 protected:
  void SetUp() override {
    testsupport::initAllegroNoDisplay(16);
    DatafileCache::instance().setDirectory(testsupport::gameDir() + "/dat/");
    srand(7);
  }
  void TearDown() override { DatafileCache::instance().unloadAll(); }
};

Particle particle(float life, float x = 0, float y = 0) {
  Particle p;
  p.life = p.lifeTotal = life;
  p.x = x;
  p.y = y;
  return p;
}

}  // namespace

TEST_F(ParticleSystemTest, OpensTheBakedParticlesAndDrawsAdditivelyWithoutCulling) {
  ParticleSystem system;
  EXPECT_TRUE(system.datafile.isLoaded);
  EXPECT_EQ(system.blendMode, 1);
  EXPECT_FALSE(system.cullable);
  EXPECT_TRUE(testsupport::messageBoxTexts().empty());
}

TEST_F(ParticleSystemTest, LifeZeroIsRemovedAtOnceAndTheOthersKeepTheirOrder) {
  ParticleSystem system;
  system.particles = {particle(1.0f, 1), particle(0.0f, 2), particle(1.0f, 3)};
  system.update(0.0f);
  ASSERT_EQ(system.particleCount(), 2);
  EXPECT_FLOAT_EQ(system.particles[0].x, 1.0f);
  EXPECT_FLOAT_EQ(system.particles[1].x, 3.0f);
}

TEST_F(ParticleSystemTest, AlphaFadesLinearlyFromItsStart) {
  ParticleSystem system;
  system.particles = {particle(0.8f)};
  system.update(0.4f);
  EXPECT_EQ(system.particles[0].alpha, 127);
  system.particles[0].alphaStart = 100;
  system.update(0.2f);
  EXPECT_EQ(system.particles[0].alpha, 25);
}

TEST_F(ParticleSystemTest, SpeedsComeFromTheConfiguredRange) {
  ParticleSystem system;
  system.speedRange = 10;
  system.speedTop = 50;
  system.stream(3, 0, 0, 200, 0);
  for (const Particle& p : system.particles) {
    EXPECT_GE(p.vx, 40.0f);
    EXPECT_LT(p.vx, 50.0f);
  }
}

TEST_F(ParticleSystemTest, BurstWithColourMinusOneGivesEveryParticleOneLightColour) {
  ParticleSystem system;
  system.burst(100, 100, 50, -1);
  std::set<int> colours;
  for (const Particle& p : system.particles) colours.insert(p.colour);
  ASSERT_EQ(colours.size(), 1u);
  int c = *colours.begin();
  EXPECT_GE(getr(c), 128 - 8);  // light: every component in the upper half (16-bit rounding)
  EXPECT_GE(getg(c), 128 - 8);
  EXPECT_GE(getb(c), 128 - 8);
  for (const Particle& p : system.particles) {
    EXPECT_FLOAT_EQ(p.ay, 200.0f);
    EXPECT_LT(p.lifeTotal, 0.8f);
  }
}

TEST_F(ParticleSystemTest, FloorStopsParticlesThatReachIt) {
  ParticleSystem system;
  system.floorEnabled = true;
  system.floorOffset = 20;
  system.burst(100, 100, 30, 5);
  EXPECT_EQ(system.floorY, 120);
  for (Particle& p : system.particles) p.life = p.lifeTotal = 100.0f;  // keep them all
  for (int i = 0; i < 200; ++i) {
    system.update(0.01f);
    for (const Particle& p : system.particles) {
      if (static_cast<int>(p.y) >= 120) {
        EXPECT_EQ(p.vx, 0.0f);
        EXPECT_EQ(p.vy, 0.0f);
      }
    }
  }
  for (const Particle& p : system.particles) EXPECT_LT(p.y, 125.0f);  // creeps at most one step
}

TEST_F(ParticleSystemTest, UpwardStreamRisesThenFallsUnderGravity) {
  ParticleSystem system;
  system.stream(2, 300, 300, 20, 0);
  for (Particle& p : system.particles) p.life = p.lifeTotal = 10.0f;
  for (const Particle& p : system.particles) {
    EXPECT_EQ(p.vx, 0.0f);
    EXPECT_LT(p.vy, 0.0f);
    EXPECT_LE(p.y, 300.0f);
  }
  for (int i = 0; i < 300; ++i) system.update(0.01f);
  for (const Particle& p : system.particles) EXPECT_GT(p.vy, 0.0f);  // 100 px/s² won the race
}

TEST_F(ParticleSystemTest, SprayRisesAroundThePointAndDriftsByTheSystemsAcceleration) {
  ParticleSystem system;
  system.accelX = 30;
  system.accelY = -50;
  system.spray(200, 200, 40, 1.0f);
  for (const Particle& p : system.particles) {
    EXPECT_LE(p.y, 200.0f);
    EXPECT_GE(p.lifeTotal, 1.0f);
    EXPECT_EQ(p.vx, 0.0f);
    EXPECT_EQ(p.ax, 30.0f);
    EXPECT_EQ(p.ay, -50.0f);
  }
}

TEST_F(ParticleSystemTest, PixelParticlesDrawInWorldCoordinatesOrFollowTheCamera) {
  BITMAP* target = create_bitmap(100, 100);
  clear_bitmap(target);
  ParticleSystem system;
  system.bitmapIndex = -1;
  Particle p = particle(1.0f, 10, 20);
  p.colour = makecol(255, 0, 0);
  p.alpha = 255;
  system.particles = {p};
  system.draw(target);
  EXPECT_EQ(getpixel(target, 10, 20), makecol(255, 0, 0));

  Screen screen(100, 100, Screen::Offscreen{});
  Drawable camera;
  camera.x = 60;
  camera.y = 70;
  screen.setCameraTarget(&camera);
  system.screen = &screen;
  clear_bitmap(target);
  system.draw(target);
  EXPECT_EQ(getpixel(target, 0, 0), makecol(255, 0, 0));  // 10 - (60 - 50), 20 - (70 - 50)
  destroy_bitmap(target);
}

TEST_F(ParticleSystemTest, BitmapParticlesAddLightOverTheBackground) {
  BITMAP* target = create_bitmap(100, 100);
  clear_to_color(target, makecol(0, 0, 64));
  ParticleSystem system;
  system.bitmapIndex = 1;
  system.particles = {particle(1.0f, 50, 50)};
  system.particles[0].alpha = 255;
  system.draw(target);
  int centre = getpixel(target, 50, 50);
  EXPECT_GE(getb(centre), getb(makecol(0, 0, 64)));
  int changed = 0;
  for (int y = 40; y < 60; ++y) {
    for (int x = 40; x < 60; ++x) changed += getpixel(target, x, y) != makecol(0, 0, 64);
  }
  EXPECT_GT(changed, 0);
  destroy_bitmap(target);
}
