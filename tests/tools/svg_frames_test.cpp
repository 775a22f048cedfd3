#include <gtest/gtest.h>

#include "baker.h"
#include "pink_mask.h"
#include "svg_renderer.h"

using namespace bake;

namespace {

const char kBar[] =
    "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 20 10'>"
    "<rect x='0' y='0' width='${w}' height='10' fill='#00ff00'/></svg>";

int opaqueCount(const RgbaImage& img) {
  int n = 0;
  for (uint32_t p : img.argb) n += int(p >> 24) >= kOpaqueAlphaThreshold;
  return n;
}

int firstOpaqueColumn(const RgbaImage& img) {
  for (int x = 0; x < img.width; ++x)
    for (int y = 0; y < img.height; ++y)
      if (int(img.argb[size_t(y) * img.width + x] >> 24) >= kOpaqueAlphaThreshold) return x;
  return -1;
}

ManifestObject barObject() {
  ManifestObject entry;
  entry.name = "BAR";
  entry.source = "bar.svg";
  entry.count = 4;
  entry.width = 20;
  entry.height = 10;
  entry.params = {{"w", "2 + i * 4"}};
  return entry;
}

}  // namespace

TEST(SvgFrames, ParametersChangeTheDrawingFrameByFrame) {
  const ManifestObject entry = barObject();
  for (int frame = 0; frame < entry.count; ++frame) {
    RgbaImage img;
    std::string error;
    ASSERT_TRUE(renderFrame(entry, kBar, frame, img, error)) << error;
    EXPECT_EQ(opaqueCount(img), (2 + frame * 4) * 10) << frame;
  }
}

TEST(SvgFrames, TransformParamsMoveTheDrawingAboutTheCanvasCentre) {
  ManifestObject entry = barObject();
  entry.params = {{"w", "4"}, {"dx", "3"}};
  RgbaImage img;
  std::string error;
  ASSERT_TRUE(renderFrame(entry, kBar, 0, img, error)) << error;
  EXPECT_EQ(firstOpaqueColumn(img), 3);
  entry.params = {{"w", "4"}, {"angle", "180"}};  // the bar flips to the right edge
  ASSERT_TRUE(renderFrame(entry, kBar, 0, img, error)) << error;
  EXPECT_EQ(firstOpaqueColumn(img), 16);
}

TEST(SvgFrames, MissingParametersAndBrokenDrawingsAreReported) {
  ManifestObject entry = barObject();
  entry.params.clear();
  RgbaImage img;
  std::string error;
  EXPECT_FALSE(renderFrame(entry, kBar, 0, img, error));
  EXPECT_NE(error.find("no parameter 'w'"), std::string::npos) << error;
  error.clear();
  EXPECT_EQ(renderSvg("<svg><rect", 4, 4, FrameTransform(), error).width, 0);
  EXPECT_FALSE(error.empty());
}
