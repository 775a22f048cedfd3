// The frame of real levels drawn the quick way (opaque bitmaps blitted,
// tiles and sprites as RLE sprites, the wave built whole and uploaded once)
// against the same frame drawn plainly with draw_sprite and one sine per
// row, pixel for pixel; and the level's datafiles kept across restarts.
#include <allegro.h>

#include <cmath>

#include "engine/datafile_cache.h"
#include "engine/prepared_art.h"
#include "engine/screen.h"
#include "game/level_fixture.h"

namespace {

const int kLevels[] = {0, 12, 27, 38, 47};

BITMAP* copyOf(BITMAP* source) {
  BITMAP* copy = create_bitmap(source->w, source->h);
  blit(source, copy, 0, 0, 0, 0, source->w, source->h);
  return copy;
}

int differingPixels(BITMAP* a, BITMAP* b) {
  int count = 0;
  for (int y = 0; y < a->h; ++y)
    for (int x = 0; x < a->w; ++x) count += getpixel(a, x, y) != getpixel(b, x, y);
  return count;
}

// The wave as it was always sent: row by row, each with its own sine.
void plainWave(const Screen& screen, BITMAP* display) {
  int scrollY = screen.layers[2].offsetY;
  for (int row = 0; row < screen.height; ++row) {
    double wave = -std::sin((row - scrollY) / screen.waveLength + screen.wavePhase) * screen.waveAmplitude;
    blit(screen.backBuffer, display, 0, row, static_cast<int>(wave), row, 800, 1);
  }
}

class FramePixels : public LevelFixture {
 protected:
  void TearDown() override {
    setPreparedArtEnabled(true);
    LevelFixture::TearDown();
  }
};

}  // namespace

TEST_F(FramePixels, QuickDrawingMatchesPlainDrawingOnRealLevels) {
  useGameLevels();
  for (int level : kLevels) {
    enterLevel(level);
    app.paused = 0;
    run(1.5f);  // creatures on the move, particles in the water
    setPreparedArtEnabled(false);
    draw();
    BITMAP* plain = copyOf(app.screen->backBuffer);
    setPreparedArtEnabled(true);
    draw();
    EXPECT_EQ(differingPixels(plain, app.screen->backBuffer), 0) << "level " << level;

    // Wave off: the frame itself; wave on: the rows shifted as before,
    // also at phases far along, where the sine table meets its bounds.
    app.screen->waterEffect = false;
    app.screen->flip();
    EXPECT_EQ(differingPixels(::screen, plain), 0) << "level " << level;
    app.screen->waterEffect = true;
    for (float phase : {0.0f, 2.34f, 517.77f, 999.99f}) {
      app.screen->wavePhase = phase;
      BITMAP* expected = copyOf(::screen);
      plainWave(*app.screen, expected);
      app.screen->flip();
      EXPECT_EQ(differingPixels(::screen, expected), 0) << "level " << level << " phase " << phase;
      destroy_bitmap(expected);
    }
    destroy_bitmap(plain);
  }
}

TEST_F(FramePixels, RestartKeepsTheLevelsDatafilesUntilTheGameLeavesIt) {
  useGameLevels();
  enterLevel(3);
  DatafileCache& cache = DatafileCache::instance();
  const DATAFILE* backdrop = cache.loaded["dat/bg0.dat"];
  ASSERT_NE(backdrop, nullptr);
  enterLevel(3);  // a restart
  EXPECT_EQ(cache.loaded["dat/bg0.dat"], backdrop);
  for (const std::string& line : testsupport::logLines()) EXPECT_NE(line, "unloading dat/bg0.dat");
  enterLevel(4);  // the next level shares the backdrop too
  EXPECT_EQ(cache.loaded["dat/bg0.dat"], backdrop);
  app.switchState("title");  // the title shows the backdrop, not the tiles
  EXPECT_EQ(cache.loaded["dat/tiles0.dat"], nullptr);
}
