#include "engine/screen.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "engine/drawable.h"
#include "support/test_support.h"

namespace {

// A drawable with a fixed box that records where and in which order it was
// drawn.
struct Probe : Drawable {
  std::string id;
  std::vector<std::string>* order;
  int boxWidth = 10, boxHeight = 10;
  float drawnX = -1e9f, drawnY = -1e9f;
  Probe(std::string name, std::vector<std::string>* drawOrder) : id(std::move(name)), order(drawOrder) {}
  void updateBounds() override {
    left = static_cast<int>(x);
    top = static_cast<int>(y);
    right = left + boxWidth;
    bottom = top + boxHeight;
  }
  void draw(BITMAP*) override {
    order->push_back(id);
    drawnX = x;
    drawnY = y;
  }
};

class ScreenTest : public testing::Test {
 protected:
  std::vector<std::string> order;
  std::unique_ptr<testsupport::MemoryDisplay> memoryDisplay;
  BITMAP* display = nullptr;
  void SetUp() override {
    testsupport::initAllegroNoDisplay();
    memoryDisplay = std::make_unique<testsupport::MemoryDisplay>();
    display = memoryDisplay->bitmap;
  }
};

}  // namespace

TEST_F(ScreenTest, EqualSortKeysKeepInsertionOrderEveryFrame) {
  Screen s(800, 600, Screen::Offscreen{});
  Probe a("a", &order), b("b", &order), c("c", &order), low("low", &order);
  a.y = b.y = c.y = 100;
  low.y = 90;
  low.z = 20;  // y + z = 110 draws after the others
  for (Probe* p : {&low, &a, &b, &c}) s.addToLayer(p, 0);
  s.present();
  s.present();
  EXPECT_EQ(order, (std::vector<std::string>{"a", "b", "c", "low", "a", "b", "c", "low"}));
}

TEST_F(ScreenTest, CullingTestsTheFivePointsWithInclusiveEdges) {
  Screen s(800, 600, Screen::Offscreen{});
  Probe onEdge("edge", &order), cornerOnly("corner", &order), outside("out", &order);
  onEdge.x = 800;  // exactly the right edge counts
  onEdge.y = 600;
  cornerOnly.x = -15;  // position off screen, right edge of the box on it
  cornerOnly.y = 50;
  cornerOnly.boxWidth = 15;
  outside.x = 801;
  outside.y = 50;
  for (Probe* p : {&onEdge, &cornerOnly, &outside}) s.addToLayer(p, 0);
  s.present();
  EXPECT_EQ(order, (std::vector<std::string>{"corner", "edge"}));

  order.clear();
  outside.cullable = false;
  s.present();
  EXPECT_EQ(order, (std::vector<std::string>{"corner", "out", "edge"}));
}

TEST_F(ScreenTest, CameraScrollsFollowingLayersAndDrawablesSeeScreenCoordinatesOnlyWhileDrawn) {
  Screen s(800, 600, Screen::Offscreen{});
  s.layers.resize(2);
  s.layers[1].followsCamera = false;
  Probe target("target", &order), fixed("fixed", &order);
  target.x = 1000;
  target.y = 700;
  target.cameraOffsetX = 20;
  fixed.x = 5;
  s.addToLayer(&target, 0);
  s.addToLayer(&fixed, 1);
  s.setCameraTarget(&target);
  s.present();
  EXPECT_EQ(s.layers[0].offsetX, 400 - 1020);
  EXPECT_EQ(s.layers[0].offsetY, 300 - 700);
  EXPECT_FLOAT_EQ(target.drawnX, 380.0f);
  EXPECT_FLOAT_EQ(target.x, 1000.0f);
  EXPECT_FLOAT_EQ(fixed.drawnX, 5.0f);

  s.setCameraTarget(nullptr);
  EXPECT_EQ(s.layers[0].offsetX, 0);
  EXPECT_EQ(s.layers[0].offsetY, 0);
}

TEST_F(ScreenTest, OutOfRangeLayerIsReportedAndChangesNothing) {
  Screen s(800, 600, Screen::Offscreen{});
  s.layers.resize(5);
  Probe p("p", &order);
  s.addToLayer(&p, 5);
  s.removeFromLayer(&p, -1);
  ASSERT_EQ(testsupport::messageBoxTexts().size(), 2u);
  EXPECT_EQ(testsupport::messageBoxTexts()[0], "Layer #5 out of range");
  EXPECT_EQ(testsupport::messageBoxTexts()[1], "Layer #-1 out of range");
  for (const Layer& layer : s.layers) EXPECT_TRUE(layer.drawables.empty());
}

TEST_F(ScreenTest, RemoveFromLayerTakesTheFirstEntryAndKeepsTheOrder) {
  Screen s(800, 600, Screen::Offscreen{});
  Probe a("a", &order), b("b", &order);
  s.addToLayer(&a, 0);
  s.addToLayer(&b, 0);
  s.addToLayer(&a, 0);
  s.removeFromLayer(&a, 0);
  EXPECT_EQ(s.layers[0].drawables, (std::vector<Drawable*>{&b, &a}));
}

TEST_F(ScreenTest, WavePhaseWrapsOnlyPastOneThousand) {
  Screen s(800, 600, Screen::Offscreen{});
  s.update(1.0f);
  EXPECT_FLOAT_EQ(s.wavePhase, 0.0f);  // no water, no wave
  s.waterEffect = true;
  s.update(7.0f);
  EXPECT_FLOAT_EQ(s.wavePhase, 70.0f);  // well past 2 pi
  s.wavePhase = 995.0f;
  s.update(0.5f);
  EXPECT_FLOAT_EQ(s.wavePhase, 1000.0f);
  s.update(0.01f);
  EXPECT_FLOAT_EQ(s.wavePhase, 0.0f);
}

TEST_F(ScreenTest, ChangeResolutionToTheSameSizeKeepsTheBuffers) {
  Screen s(800, 600, Screen::Offscreen{});
  BITMAP* before = s.backBuffer;
  s.changeResolution(800, 600);
  EXPECT_EQ(s.backBuffer, before);
  EXPECT_TRUE(testsupport::messageBoxTexts().empty());
}

TEST_F(ScreenTest, FlipCopiesTheBackBufferAndTheWaterWaveShiftsRows) {
  Screen s(800, 600, Screen::Offscreen{});
  s.layers.resize(5);
  clear_to_color(s.backBuffer, makecol(0, 0, 0));
  vline(s.backBuffer, 100, 0, 599, makecol(255, 255, 255));
  s.flip();
  EXPECT_EQ(getpixel(display, 100, 0), makecol(255, 255, 255));

  s.waterEffect = true;
  s.wavePhase = 1.0f;  // row 0: -sin(1) * 2 = -1.68 -> shifted 1 left
  clear_to_color(display, makecol(0, 0, 0));
  s.flip();
  EXPECT_EQ(getpixel(display, 99, 0), makecol(255, 255, 255));
  EXPECT_NE(getpixel(display, 100, 0), makecol(255, 255, 255));
  s.wavePhase = -1.0f;  // row 0 shifted 1 right
  clear_to_color(display, makecol(0, 0, 0));
  s.flip();
  EXPECT_EQ(getpixel(display, 101, 0), makecol(255, 255, 255));
}

TEST_F(ScreenTest, WaveShiftFromTheSineTableMatchesTheExactSineOnEveryRow) {
  Screen s(800, 600, Screen::Offscreen{});
  int mismatches = 0;
  for (float phase = 0.0f; phase <= 1000.0f; phase += 0.731f) {
    s.wavePhase = phase;
    for (int scrollY : {0, -4321}) {
      for (int row = 0; row < 600; ++row) {
        float radians = (row - scrollY) / s.waveLength + phase;
        mismatches += s.waveShift(row, scrollY) != static_cast<int>(-std::sin(radians) * s.waveAmplitude);
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}
