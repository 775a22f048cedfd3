#include "engine/drawable.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "engine/engine.h"
#include "engine/rect_shape.h"
#include "engine/screen.h"
#include "engine/text_label.h"
#include "engine/tile_map.h"
#include "support/test_support.h"

namespace {

struct QuietEngine : Engine {
  void onAction(const std::string&, bool) override {}
  void start() override {}
};

class DrawableTest : public testing::Test {
 protected:
  BITMAP* target = nullptr;
  void SetUp() override {
    testsupport::initAllegroNoDisplay(16);
    target = create_bitmap(200, 100);
    clear_to_color(target, makecol(255, 255, 255));
  }
  void TearDown() override { destroy_bitmap(target); }
  int white() const { return makecol(255, 255, 255); }
};

}  // namespace

TEST_F(DrawableTest, MoveToAtSpeedZeroJumpsAndLeavesMovingClear) {
  Drawable d;
  d.moveTo(30, 40, 0);
  EXPECT_FLOAT_EQ(d.x, 30.0f);
  EXPECT_FLOAT_EQ(d.y, 40.0f);
  EXPECT_FALSE(d.moving);
}

TEST_F(DrawableTest, MoveToWithOneAxisUnchangedGlidesOnlyTheOther) {
  Drawable d;
  d.x = 10;
  d.moveTo(10, 50, 100);
  EXPECT_FALSE(d.xInterp.running);
  EXPECT_TRUE(d.moving);
  d.update(0.25f);
  EXPECT_FLOAT_EQ(d.y, 25.0f);
  EXPECT_TRUE(d.moving);
  d.update(0.25f);
  EXPECT_FLOAT_EQ(d.y, 50.0f);
  EXPECT_FALSE(d.moving);
}

TEST_F(DrawableTest, DiagonalMoveEndsItsShorterAxisFirst) {
  Drawable d;
  d.moveTo(100, 50, 100);
  d.update(0.5f);
  EXPECT_FLOAT_EQ(d.x, 50.0f);
  EXPECT_FLOAT_EQ(d.y, 50.0f);
  EXPECT_FALSE(d.yInterp.running);
  EXPECT_TRUE(d.moving);
  d.update(0.5f);
  EXPECT_FLOAT_EQ(d.x, 100.0f);
  EXPECT_FALSE(d.moving);
}

// Idle steps let a drawable skip its tweens until one starts; a start by
// duration, by speed, or a repeat's restart must each still be advanced.
TEST_F(DrawableTest, TweensStartedAfterIdleStepsStillRun) {
  Drawable d;
  for (int i = 0; i < 3; ++i) d.update(0.1f);
  d.alphaInterp.start(0.0f, 1.0f, 1);
  d.update(0.5f);
  EXPECT_FLOAT_EQ(d.alpha, 127.5f);
  d.update(0.5f);  // the first run ends and the repeat starts again from 255
  d.update(0.25f);
  EXPECT_FLOAT_EQ(d.alpha, 191.25f);
  d.update(1.0f);
  EXPECT_FALSE(d.alphaInterp.running);
  for (int i = 0; i < 3; ++i) d.update(0.1f);
  d.moveTo(100, 0, 100);
  d.update(0.5f);
  EXPECT_FLOAT_EQ(d.x, 50.0f);
  d.zInterp.start(8.0f, 1.0f, 0);
  d.update(0.25f);
  EXPECT_FLOAT_EQ(d.z, 2.0f);
  EXPECT_FLOAT_EQ(d.x, 75.0f);
}

TEST_F(DrawableTest, CommandsPositionFadeAndIgnoreUnknownWords) {
  Drawable d;
  d.command("pos 12 34");
  EXPECT_FLOAT_EQ(d.x, 12.0f);
  EXPECT_FLOAT_EQ(d.y, 34.0f);
  d.command("alpha 17.5");
  EXPECT_FLOAT_EQ(d.alpha, 17.5f);
  d.command("alphaInt 117 1.0 0");
  d.update(0.5f);
  EXPECT_FLOAT_EQ(d.alpha, 67.25f);
  d.command("moveTo 112 34 100");
  d.update(1.0f);
  EXPECT_FLOAT_EQ(d.x, 112.0f);
  d.command("explode 1 2 3");
  d.command("");
  EXPECT_FLOAT_EQ(d.x, 112.0f);
  EXPECT_FLOAT_EQ(d.y, 34.0f);
}

TEST_F(DrawableTest, SortKeyTruncatesYPlusZPlusBias) {
  Drawable d;
  d.y = 10.9f;
  d.z = 5.5f;
  d.depthBias = 3;
  EXPECT_EQ(d.sortKey(), 19);
  d.y = -3.9f;
  d.z = 0;
  d.depthBias = 0;
  EXPECT_EQ(d.sortKey(), -3);
}

TEST_F(DrawableTest, ChildrenDrawRelativeToTheirParentAndHideWithIt) {
  RectShape parent, child;
  child.width = child.height = 2;
  child.x = 5;
  child.y = 6;
  child.fillColour = makecol(255, 0, 0);
  parent.addChild(&child);
  parent.x = 100;
  parent.y = 50;
  parent.Drawable::draw(target);
  EXPECT_EQ(getpixel(target, 105, 56), makecol(255, 0, 0));
  EXPECT_FLOAT_EQ(child.x, 5.0f);
  clear_to_color(target, white());
  parent.visible = false;
  parent.Drawable::draw(target);
  EXPECT_EQ(getpixel(target, 105, 56), white());
}

TEST_F(DrawableTest, RectShapeAnchorsAndBorder) {
  RectShape r;
  r.width = 10;
  r.height = 6;
  r.anchor = 1;
  r.x = 50;
  r.y = 50;
  r.bordered = true;
  r.fillColour = makecol(0, 0, 255);
  r.borderColour = makecol(0, 0, 0);
  r.draw(target);
  EXPECT_EQ(getpixel(target, 45, 47), makecol(0, 0, 0));  // top-left corner
  EXPECT_EQ(getpixel(target, 50, 50), makecol(0, 0, 255));
  EXPECT_EQ(getpixel(target, 54, 52), makecol(0, 0, 0));  // bottom-right corner
  EXPECT_EQ(getpixel(target, 55, 53), white());
  clear_to_color(target, white());
  r.anchor = 2;
  r.draw(target);
  EXPECT_EQ(getpixel(target, 50, 50), white());
}

TEST_F(DrawableTest, RightAnchoredLabelHasItsBackdropLeftOfX) {
  QuietEngine engine;
  TextLabel label("Hello");
  label.anchor = 3;
  label.backdrop = true;
  label.colour = makecol(255, 0, 0);
  label.x = 150;
  label.y = 20;
  int w = text_length(font, "Hello");
  label.draw(target);
  EXPECT_NE(getpixel(target, 150 - w + 1, 20 + text_height(font)), white());  // shaded
  EXPECT_EQ(getpixel(target, 152, 21), white());  // nothing right of x
  bool redLeftOfX = false;
  for (int px = 150 - w; px < 150; ++px) {
    for (int py = 20; py < 20 + text_height(font); ++py) {
      redLeftOfX = redLeftOfX || getpixel(target, px, py) == makecol(255, 0, 0);
    }
  }
  EXPECT_TRUE(redLeftOfX);
}

namespace {
struct RecordingTiles : TileMap {
  std::vector<std::pair<int, int>> drawn;
  void drawTile(BITMAP*, int sx, int sy, int) override { drawn.emplace_back(sx, sy); }
};
}  // namespace

TEST_F(DrawableTest, TileMapCellAtOutsideTheGridIsZeroAndEmptyCellsAreMinusOne) {
  TileMap map;
  EXPECT_EQ(map.cellAt(0, 0), -1);
  EXPECT_EQ(map.cellAt(-1, 0), 0);
  EXPECT_EQ(map.cellAt(300, 0), 0);
  EXPECT_EQ(map.cellAt(0, 150), 0);
  map.setCell(300, 0, 4);  // ignored
  map.setCell(299, 149, 4);
  EXPECT_EQ(map.cellAt(299, 149), 4);
  EXPECT_FALSE(map.cullable);
}

TEST_F(DrawableTest, TileMapDrawsOnlyTheVisibleCellsWithTheirOffsets) {
  Screen s(800, 600, Screen::Offscreen{});
  RecordingTiles map;
  map.tileWidth = map.tileHeight = 80;
  for (int c = 0; c < 30; ++c) {
    for (int r = 0; r < 20; ++r) map.setCell(c, r, 7);
  }
  map.xOffsets[7] = 3;
  map.x = -160;  // scrolled two columns
  map.y = 0;
  map.draw(target);
  // Columns 2..12 (end exclusive 13) and rows 0..7 (end 8).
  EXPECT_EQ(map.drawn.size(), 11u * 8u);
  EXPECT_EQ(map.drawn.front(), std::make_pair(2 * 80 + 3 - 160, 0));

  map.drawn.clear();
  map.alpha = 0;
  map.draw(target);
  EXPECT_TRUE(map.drawn.empty());
}

TEST_F(DrawableTest, TileMapBottomUpWalksEachColumnFromTheBottom) {
  Screen s(80, 160, Screen::Offscreen{});
  RecordingTiles map;
  map.tileWidth = map.tileHeight = 80;
  map.setCell(0, 0, 1);
  map.setCell(0, 1, 1);
  map.drawBottomUp = true;
  map.draw(target);
  ASSERT_EQ(map.drawn.size(), 2u);
  EXPECT_EQ(map.drawn[0].second, 80);
  EXPECT_EQ(map.drawn[1].second, 0);
}

TEST_F(DrawableTest, BlendModesSelectTheirBlendersAndUnknownModesNothing) {
  // Blend a red sprite over white with each mode at alpha 128; the
  // additive and translucent results must differ, unknown modes keep the
  // previous blender.
  BITMAP* red = create_bitmap(1, 1);
  clear_to_color(red, makecol(255, 0, 0));
  Drawable d;
  auto blendOnce = [&](int mode) {
    clear_to_color(target, makecol(0, 0, 128));
    d.blendMode = mode;
    d.applyBlender(0, 0, 0, 128);
    draw_trans_sprite(target, red, 0, 0);
    return getpixel(target, 0, 0);
  };
  int trans = blendOnce(0);
  int add = blendOnce(1);
  EXPECT_NE(trans, add);
  EXPECT_EQ(blendOnce(99), add);
  destroy_bitmap(red);
}
