// The heads-up display over a running level: what it covers at the top of
// the screen, checked on the rendered picture.
#include <allegro.h>

#include "engine/screen.h"
#include "game/actors/invaders_game.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"

namespace {

class Hud : public LevelFixture {
 protected:
  // The level's layers drawn with and without the heads-up display, the
  // second copied out of the back buffer.
  BITMAP* layersOnly = nullptr;

  void TearDown() override {
    if (layersOnly) destroy_bitmap(layersOnly);
    LevelFixture::TearDown();
  }

  void drawBoth() {
    BITMAP* back = app.screen->backBuffer;
    app.screen->present();
    if (!layersOnly) layersOnly = create_bitmap(back->w, back->h);
    blit(back, layersOnly, 0, 0, 0, 0, back->w, back->h);
    draw();
  }

  // Pixels of a level-space drawable's box that the display drew over.
  int coveredPixels(Drawable& drawable) {
    BITMAP* back = app.screen->backBuffer;
    BoundingBox box = drawable.boundingBox();
    int dx = app.screen->width / 2 - static_cast<int>(app.camera.x);
    int dy = app.screen->height / 2 - static_cast<int>(app.camera.y);
    int covered = 0;
    for (int y = std::max(0, box.top + dy); y < std::min(back->h, box.bottom + dy); ++y)
      for (int x = std::max(0, box.left + dx); x < std::min(back->w, box.right + dx); ++x)
        covered += getpixel(back, x, y) != getpixel(layersOnly, x, y);
    return covered;
  }

  // The box's top row on the screen.
  int screenTop(Drawable& drawable) {
    return drawable.boundingBox().top + app.screen->height / 2 - static_cast<int>(app.camera.y);
  }
};

}  // namespace

// Fault: the camera parked a fish in a level's top open row under the bar
// (on land the fish is drawn 30 px higher still).
TEST_F(Hud, AFishAgainstTheCeilingStaysClearOfTheBar) {
  const std::vector<std::string> rows = {
      "##########", "#........#", "#........#", "#........#", "#........#",
      "#........#", "#........#", "#.P......#", "#...C....#", "##########",
  };
  for (int level : {2, 31}) {  // swimming, then on land
    playLevel(rows, level);
    run(0.5f);
    app.player->setPosition(680.0f, 82.0f);  // under the bar's clock
    step();
    ASSERT_EQ(static_cast<int>(app.player->y) / 80, 1) << level;
    drawBoth();
    EXPECT_GE(screenTop(*app.player), app.hudBottom()) << level;
    EXPECT_EQ(coveredPixels(*app.player), 0) << level;
  }
}

// Fault: the boss bird of level 39 entered and flew behind the bar.
TEST_F(Hud, TheBossBirdEntersBelowTheBar) {
  useGameLevels();
  enterLevel(39);
  step();
  Actor* bird = findActor("bigbossbird.dat");
  ASSERT_NE(bird, nullptr);
  drawBoth();
  EXPECT_GE(screenTop(*bird), app.hudBottom());
  EXPECT_EQ(coveredPixels(*bird), 0);
  EXPECT_EQ(coveredPixels(*app.player), 0);
}

// Fault: the story counters covered the mini-games' play area, the top row
// of invaders among it; the dance game, where none of them means
// anything, shows no display at all.
TEST_F(Hud, MiniGamesShowOnlyTheirCountersAndCoverNoInvader) {
  useGameLevels();
  enterLevel(1003);
  step();
  InvadersGame* game = nullptr;
  for (Actor* actor : app.actors)
    if (!game) game = dynamic_cast<InvadersGame*>(actor);
  ASSERT_NE(game, nullptr);
  // The formation at the top of its march, where the story bar would lie.
  for (int r = 0; r < InvadersGame::kRows; ++r) game->invaders[r][0].actor->setPosition(160 + 100 * r, 40);
  drawBoth();
  for (auto& row : game->invaders) EXPECT_EQ(coveredPixels(*row[0].actor), 0) << row[0].actor->kind();
  EXPECT_GT(app.hudBottom(), 0);  // the clock still shows

  enterLevel(1002);
  step();
  EXPECT_EQ(app.hudBottom(), 0);
  drawBoth();
  BITMAP* back = app.screen->backBuffer;
  int drawnOver = 0;
  for (int y = 0; y < back->h; ++y)
    for (int x = 0; x < back->w; ++x) drawnOver += getpixel(back, x, y) != getpixel(layersOnly, x, y);
  EXPECT_EQ(drawnOver, 0);
}
