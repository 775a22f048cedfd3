// Entering a level (building it from its picture) and one in-game frame of
// a busy level (every drawable updated, present, flip through the water
// wave) beside the raw Allegro blits of the same frame. The game runs over
// a memory display in a scratch folder that links the baked data, so no
// player's files are touched.
#include <allegro.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "baker.h"
#include "engine/log.h"
#include "engine/screen.h"
#include "engine/tile_map.h"
#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/treasure.h"
#include "level_compiler.h"
#include "lzss_packer.h"
#include "sound/sound_manager.h"

namespace {

namespace fs = std::filesystem;

const int kWidth = 800, kHeight = 600;
const int kBusyLevel = 12;
const int kGauntletLevel = 47;  // the shipped level with the most creatures
const int kLevelColumns = 60, kLevelRows = 20;
const float kFrameS = 0.016f;

// A cave full of run and column walls, scenery and gems.
std::string busyLevel() {
  std::string text;
  for (int y = 0; y < kLevelRows; ++y) {
    for (int x = 0; x < kLevelColumns; ++x) {
      char cell = '.';
      if (y == 0 || y == kLevelRows - 1 || x == 0 || x == kLevelColumns - 1) cell = '#';
      else if ((x % 7 == 3 && y % 5 != 0) || (y % 6 == 3 && x % 4 != 0)) cell = '#';
      else if ((x + y) % 5 == 0) cell = "%&*()[]|"[(x * 3 + y) % 8];
      else if ((x * 7 + y * 3) % 11 == 0) cell = "124"[(x + y) % 3];
      else if ((x + 2 * y) % 13 == 0) cell = '{';
      text += cell;
    }
    text += "\n";
  }
  text[2 * (kLevelColumns + 1) + 2] = 'P';
  text[5 * (kLevelColumns + 1) + 10] = 'C';
  return text;
}

std::string sourceText(const std::string& name) {
  std::ifstream file(std::string(TIDEWELL_SOURCE_DIR) + "/assets/levels/" + name);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string benchLevel(int number) {
  if (number == kBusyLevel) return busyLevel();
  if (number == kGauntletLevel) return sourceText(levels::sourceName(number));
  return "P.C\n";
}

void writeLevels() {
  levels::Legend legend;
  std::string error;
  levels::parseLegend(sourceText("legend.txt"), legend, error);
  std::vector<bake::DatObject> objects;
  for (int number : levels::levelNumbers()) {
    levels::LevelPicture picture;
    levels::parseLevel("bench", benchLevel(number), legend, picture, error);
    objects.push_back(levels::levelObject(number, picture));
  }
  objects.push_back(levels::infoObject(objects.size()));
  bake::writeFileAtomically("dat/lvl/levels.dat", bake::makePackfile(bake::serialiseDatafile(objects)), error);
}

// A scratch game folder: the baked art and sounds, our own levels.
void enterScratchFolder() {
  fs::path scratch = fs::temp_directory_path() / ("tidewell-bench-" + std::to_string(getpid()));
  fs::create_directories(scratch / "dat" / "lvl");
  fs::create_directories(scratch / "profiles");
  const fs::path game = TIDEWELL_GAME_DIR;
  for (const fs::directory_entry& entry : fs::directory_iterator(game / "dat"))
    if (!entry.is_directory()) fs::create_symlink(entry.path(), scratch / "dat" / entry.path().filename());
  for (const char* item : {"sfx", "mus"}) fs::create_symlink(game / item, scratch / item);
  fs::current_path(scratch);
  writeLevels();
}

GameApp& game() {
  static GameApp* app = [] {
    enterScratchFolder();
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(16);
    ::screen = create_bitmap(kWidth, kHeight);
    auto* made = new GameApp;
    setFatalMode(false);
    made->skipFades = true;
    made->sound = new SoundManager();
    made->screen = new Screen(kWidth, kHeight, Screen::Offscreen{});
    made->initGame();
    return made;
  }();
  return *app;
}

void enterBusyLevel(GameApp& app) {
  app.currentLevel = kBusyLevel;
  app.switchState("inGame");
}

// One pass of the main loop per iteration: update, present, HUD, flip.
void measureFrames(benchmark::State& state, GameApp& app) {
  app.paused = 0;
  app.screen->waterEffect = true;
  for (auto _ : state) {
    app.update(kFrameS);
    app.endFrame();
    app.screen->present();
    app.drawOverlay();
    app.screen->flip();
  }
}

void BM_EnterLevel(benchmark::State& state) {
  GameApp& app = game();
  for (auto _ : state) enterBusyLevel(app);
  state.counters["treasures"] = static_cast<double>(app.treasures.size());
}
BENCHMARK(BM_EnterLevel)->Unit(benchmark::kMillisecond);

void BM_InGameFrame(benchmark::State& state) {
  GameApp& app = game();
  enterBusyLevel(app);
  measureFrames(state, app);
}
BENCHMARK(BM_InGameFrame)->Unit(benchmark::kMicrosecond);

// A frame of the shipped gauntlet, its eleven kinds of creature moving.
void BM_GauntletFrame(benchmark::State& state) {
  GameApp& app = game();
  app.currentLevel = kGauntletLevel;
  app.switchState("inGame");
  app.player->miniGameLock = 1;  // no restarts in the middle of the measure
  measureFrames(state, app);
  state.counters["actors"] = static_cast<double>(app.actors.size());
}
BENCHMARK(BM_GauntletFrame)->Unit(benchmark::kMicrosecond);

// The same pictures blitted straight: backdrop, every visible tile, every
// treasure on screen, then the wave copy row by row.
void BM_RawAllegroFrame(benchmark::State& state) {
  GameApp& app = game();
  enterBusyLevel(app);
  BITMAP* back = app.screen->backBuffer;
  BITMAP* backdrop = create_bitmap(kWidth, kHeight);
  BITMAP* tile = create_bitmap(80, 80);
  BITMAP* gem = create_bitmap(40, 40);
  clear_to_color(backdrop, makecol(20, 70, 140));
  clear_to_color(tile, makecol(120, 90, 60));
  clear_to_color(gem, makecol(200, 40, 40));
  int onScreenTiles = 0;
  for (int x = 0; x < kWidth / 80 + 1; ++x)
    for (int y = 0; y < kHeight / 80 + 1; ++y) onScreenTiles += app.tileMap->cellAt(x, y) >= 0;
  int onScreenGems = 0;
  for (Treasure* t : app.treasures) onScreenGems += t->x < kWidth && t->y < kHeight;
  float phase = 0.0f;
  for (auto _ : state) {
    blit(backdrop, back, 0, 0, 0, 0, kWidth, kHeight);
    for (int i = 0; i < onScreenTiles; ++i) draw_sprite(back, tile, (i * 80) % kWidth, (i / 10) * 80);
    for (int i = 0; i < onScreenGems; ++i) draw_sprite(back, gem, (i * 37) % kWidth, (i * 53) % kHeight);
    phase += 0.1f;
    for (int row = 0; row < kHeight; ++row)
      blit(back, ::screen, 0, row, static_cast<int>(std::sin(row / 10.0f + phase) * 2.0f), row, kWidth, 1);
  }
  state.counters["tiles"] = onScreenTiles;
  state.counters["gems"] = onScreenGems;
  destroy_bitmap(backdrop);
  destroy_bitmap(tile);
  destroy_bitmap(gem);
}
BENCHMARK(BM_RawAllegroFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
