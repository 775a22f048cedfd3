// Entering a level (the first time and again, as a restart does), one
// in-game frame of a busy level and of the gauntlet (every drawable updated,
// present, flip through the water wave) beside a hand-written Allegro frame
// of the same picture, and the update of the largest level the format
// allows, full of creatures. The game runs over a memory display in a
// scratch folder that links the baked data, so no player's files are
// touched.
#include <allegro.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unordered_map>
#include <vector>

#include "baker.h"
#include "engine/log.h"
#include "engine/particle_system.h"
#include "engine/screen.h"
#include "engine/tile_map.h"
#include "flow/game_app.h"
#include "flow/run_file.h"
#include "flow/run_records.h"
#include "game/actors/actor.h"
#include "game/actors/jellyfish.h"
#include "game/actors/player.h"
#include "game/level_tile_map.h"
#include "game/treasure.h"
#include "level_compiler.h"
#include "lzss_packer.h"
#include "sound/sound_manager.h"

namespace {

namespace fs = std::filesystem;

const int kWidth = 800, kHeight = 600;
const int kBusyLevel = 12;
const int kGauntletLevel = 47;  // the shipped level with the most creatures
const int kHugeLevel = 13;
const int kLevelColumns = 60, kLevelRows = 20;
const int kHugeColumns = 300, kHugeRows = 150;  // the tile grid's size
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

// The largest level the format allows: floors every sixth row with gaps,
// a creature of a changing kind every eleventh cell above each floor, the
// fish walled in at the top left where nothing reaches it.
std::string hugeLevel() {
  const char kCreatures[] = "caejmpzx<>^e";
  std::string text;
  int placed = 0;
  for (int y = 0; y < kHugeRows; ++y) {
    for (int x = 0; x < kHugeColumns; ++x) {
      char cell = '.';
      bool border = y == 0 || y == kHugeRows - 1 || x == 0 || x == kHugeColumns - 1;
      bool pen = x <= 4 && y <= 4 && (x == 4 || y == 4);
      if (border || pen || (y % 6 == 5 && x % 25 != 12)) cell = '#';
      else if (y % 6 == 4 && x % 11 == 7 && x > 5) cell = kCreatures[placed++ % (sizeof kCreatures - 1)];
      text += cell;
    }
    text += "\n";
  }
  text[2 * (kHugeColumns + 1) + 2] = 'P';
  text[2 * (kHugeColumns + 1) + 3] = 'C';
  return text;
}

std::string sourceText(const std::string& name) {
  std::ifstream file(std::string(TIDEWELL_SOURCE_DIR) + "/assets/levels/" + name);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string benchLevel(int number) {
  if (number == kBusyLevel) return busyLevel();
  if (number == kHugeLevel) return hugeLevel();
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

// Entering the busy level again, as a restart does.
void BM_EnterLevel(benchmark::State& state) {
  GameApp& app = game();
  enterBusyLevel(app);
  for (auto _ : state) enterBusyLevel(app);
  state.counters["treasures"] = static_cast<double>(app.treasures.size());
}
BENCHMARK(BM_EnterLevel)->Unit(benchmark::kMillisecond);

// Entering it from another screen, with nothing of the level loaded.
void BM_EnterLevelFirst(benchmark::State& state) {
  GameApp& app = game();
  for (auto _ : state) {
    state.PauseTiming();
    app.switchState("logo");
    state.ResumeTiming();
    enterBusyLevel(app);
  }
}
BENCHMARK(BM_EnterLevelFirst)->Unit(benchmark::kMillisecond);

// The update of every creature of the largest level, nothing drawn.
void BM_HugeLevelUpdate(benchmark::State& state) {
  GameApp& app = game();
  app.currentLevel = kHugeLevel;
  app.switchState("inGame");
  app.paused = 0;
  app.player->miniGameLock = 1;
  for (auto _ : state) {
    app.update(kFrameS);
    app.endFrame();
  }
  state.counters["actors"] = static_cast<double>(app.actors.size());
  // A restart would spoil the measure: the level's clock would be behind.
  float expectedS = std::min(599.0f, static_cast<float>(state.iterations()) * kFrameS);
  state.counters["restarted"] = app.levelTime + 0.5f < expectedS;
}
BENCHMARK(BM_HugeLevelUpdate)->Unit(benchmark::kMicrosecond);

void BM_InGameFrame(benchmark::State& state) {
  GameApp& app = game();
  enterBusyLevel(app);
  measureFrames(state, app);
}
BENCHMARK(BM_InGameFrame)->Unit(benchmark::kMicrosecond);

// The same frame while the run is recorded and a kept run's ghost swims
// beside the fish: what a player racing a record pays.
void BM_InGameFrameRacingGhost(benchmark::State& state) {
  GameApp& app = game();
  KeptRun run;
  run.demo.level = kBusyLevel;
  run.demo.seed = 1;
  run.demo.passes.assign(10, DemoPass{kFrameS, {}});
  for (int i = 0; i < 11000; ++i)  // 550 s of swimming to and fro
    run.track.push_back({i * kGhostSampleS, 200.0f + (i % 400) * 2.0f, 240.0f, i % 20, i % 800 < 400, false});
  fs::create_directories(runFolderFor(app.currentProfile));
  std::ofstream(runPathFor(app.currentProfile, kBusyLevel)) << formatRun(run);
  app.runs->verifier = "recorded, never verified here";
  enterBusyLevel(app);
  state.counters["ghost"] = app.runs->ghost != nullptr;
  measureFrames(state, app);
  app.runs->verifier.clear();
  app.switchState("title");
}
BENCHMARK(BM_InGameFrameRacingGhost)->Unit(benchmark::kMicrosecond);

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

// What a hand-written game of the same pictures would keep ready and draw:
// every frame bitmap as an RLE sprite made once (the backdrop, which has no
// transparent pixel, blitted), tiles over the visible cells only, the
// translucent pictures with Allegro's translucent sprite call, the same
// heads-up text, and the wave built in one memory bitmap from a sine table
// and sent once. It reads where things are from the game each frame, as a
// game reads its own lists, but updates nothing.
class RawFrame {
 public:
  explicit RawFrame(GameApp& game) : app(game) {
    wave = create_bitmap(kWidth, kHeight);
    for (int i = 0; i < kSineSteps; ++i) sine[i] = static_cast<float>(std::sin(i * kTwoPi / kSineSteps));
  }
  ~RawFrame() {
    for (auto& entry : rle) destroy_rle_sprite(entry.second);
    destroy_bitmap(wave);
  }
  RawFrame(const RawFrame&) = delete;
  RawFrame& operator=(const RawFrame&) = delete;

  // Draws every layer and the heads-up display into the back buffer.
  void compose() {
    BITMAP* back = app.screen->backBuffer;
    for (size_t index = 0; index < app.screen->layers.size(); ++index) {
      const Layer& layer = app.screen->layers[index];
      for (Drawable* drawable : layer.drawables) {
        if (auto* tiles = dynamic_cast<LevelTileMap*>(drawable)) drawTiles(back, *tiles, layer);
        else if (auto* particles = dynamic_cast<ParticleSystem*>(drawable)) drawParticles(back, *particles);
        else if (auto* sprite = dynamic_cast<Sprite*>(drawable)) drawSprite(back, *sprite, layer.offsetX, layer.offsetY, index == 0);
      }
    }
    drawHud(back);
  }

  // The wave into one memory bitmap, then one blit to the display (kept out
  // of line so that an instruction count can find it).
  __attribute__((noinline)) void sendWithWave(float phase) {
    BITMAP* back = app.screen->backBuffer;
    int scrollY = app.screen->layers[2].offsetY;
    for (int row = 0; row < kHeight; ++row) {
      float turn = ((row - scrollY) / 10.0f + phase) * static_cast<float>(kSineSteps / kTwoPi);
      int index = static_cast<int>(std::floor(turn)) & (kSineSteps - 1);
      blit(back, wave, 0, row, static_cast<int>(-sine[index] * 2.0f), row, kWidth, 1);
    }
    blit(wave, ::screen, 0, 0, 0, 0, kWidth, kHeight);
  }

 private:
  static constexpr int kSineSteps = 4096;
  static constexpr double kTwoPi = 6.283185307179586;
  GameApp& app;
  BITMAP* wave = nullptr;
  float sine[kSineSteps];
  std::unordered_map<BITMAP*, RLE_SPRITE*> rle;

  RLE_SPRITE* rleOf(BITMAP* bitmap) {
    auto found = rle.find(bitmap);
    if (found != rle.end()) return found->second;
    return rle[bitmap] = get_rle_sprite(bitmap);
  }

  static BITMAP* frameBitmap(Sprite& sprite) {
    DatafileRef& data = sprite.datafile;
    int frame = static_cast<int>(sprite.frame);
    if (!data.isLoaded || frame < 0 || frame >= data.lastIndex || data.current[frame].type != DAT_BITMAP) return nullptr;
    return static_cast<BITMAP*>(data.current[frame].dat);
  }

  // Pictures the datafile already holds as RLE sprites (the heads-up bar).
  static bool drawRleFrame(BITMAP* back, Sprite& sprite) {
    DatafileRef& data = sprite.datafile;
    int frame = static_cast<int>(sprite.frame);
    if (!data.isLoaded || frame < 0 || frame >= data.lastIndex || data.current[frame].type != DAT_RLE_SPRITE) return false;
    auto* rle = static_cast<RLE_SPRITE*>(data.current[frame].dat);
    int x = static_cast<int>(sprite.x + sprite.cameraOffsetX), y = static_cast<int>(sprite.y - sprite.z + sprite.cameraOffsetY);
    draw_rle_sprite(back, rle, sprite.anchor == 0 ? x : x - rle->w / 2, sprite.anchor == 1 ? y - rle->h / 2 : sprite.anchor == 2 ? y - rle->h : y);
    return true;
  }

  void drawTiles(BITMAP* back, LevelTileMap& map, const Layer& layer) {
    if (!map.tiles.isLoaded) return;
    int firstColumn = -layer.offsetX / 80, endColumn = (kWidth - layer.offsetX) / 80 + 1;
    int firstRow = -layer.offsetY / 80, endRow = (kHeight - layer.offsetY) / 80 + 1;
    for (int column = std::max(firstColumn, 0); column < std::min(endColumn, map.columns); ++column) {
      for (int row = std::min(endRow, map.rows) - 1; row >= std::max(firstRow, 0); --row) {
        int tile = map.cells[row * map.columns + column];
        if (tile < 0 || tile >= map.tiles.lastIndex || map.tiles.current[tile].type != DAT_BITMAP) continue;
        draw_rle_sprite(back, rleOf(static_cast<BITMAP*>(map.tiles.current[tile].dat)), column * 80 + layer.offsetX,
                        row * 80 + layer.offsetY);
      }
    }
  }

  void drawSprite(BITMAP* back, Sprite& sprite, int offsetX, int offsetY, bool backdrop) {
    if (!sprite.visible || sprite.alpha == 0.0f) return;
    if (drawRleFrame(back, sprite)) return;
    if (auto* jellyfish = dynamic_cast<Jellyfish*>(&sprite)) {
      jellyfish->glow.setPosition(static_cast<int>(jellyfish->x), static_cast<int>(jellyfish->y) + jellyfish->cameraOffsetY);
      drawSprite(back, jellyfish->glow, offsetX, offsetY, false);
    }
    BITMAP* bitmap = frameBitmap(sprite);
    if (bitmap) {
      int w = bitmap->w, h = bitmap->h;
      int x = static_cast<int>(sprite.x + offsetX + sprite.cameraOffsetX);
      int y = static_cast<int>(sprite.y + offsetY - sprite.z + sprite.cameraOffsetY);
      static const int kShift[5][2] = {{0, 0}, {2, 2}, {2, 1}, {1, 0}, {0, 1}};
      int anchor = std::clamp(sprite.anchor, 0, 4);
      x -= kShift[anchor][0] == 0 ? 0 : kShift[anchor][0] == 1 ? w : w / 2;
      y -= kShift[anchor][1] == 0 ? 0 : kShift[anchor][1] == 1 ? h : h / 2;
      bool onScreen = x < kWidth && y < kHeight && x + w > 0 && y + h > 0;
      if (onScreen) drawPicture(back, sprite, bitmap, x, y, backdrop);
    }
    if (auto* actor = dynamic_cast<Actor*>(&sprite)) {
      Sprite& overlay = actor->bubbleOverlay;
      if (overlay.visible) {
        overlay.setPosition(static_cast<int>(actor->x), static_cast<int>(actor->y));
        drawSprite(back, overlay, offsetX, offsetY, false);
      }
    }
  }

  void drawPicture(BITMAP* back, Sprite& sprite, BITMAP* bitmap, int x, int y, bool backdrop) {
    if (backdrop) {
      blit(bitmap, back, 0, 0, x, y, bitmap->w, bitmap->h);
    } else if ((sprite.alpha < 255.0f || sprite.blendMode == 1) && sprite.anchor != 4) {
      if (sprite.blendMode == 1) set_add_blender(0, 0, 0, static_cast<int>(sprite.alpha));  // the glows
      else set_trans_blender(0, 0, 0, static_cast<int>(sprite.alpha));
      draw_trans_sprite(back, bitmap, x, y);
    } else if (sprite.vFlip && (sprite.anchor == 1 || sprite.anchor == 2)) {
      draw_sprite_v_flip(back, bitmap, x, y);
    } else if (sprite.hFlip && (sprite.anchor == 1 || sprite.anchor == 2)) {
      draw_sprite_h_flip(back, bitmap, x, y);
    } else {
      draw_rle_sprite(back, rleOf(bitmap), x, y);
    }
  }

  void drawParticles(BITMAP* back, ParticleSystem& system) {
    if (system.particles.empty() || !system.datafile.isLoaded) return;
    BITMAP* bitmap = static_cast<BITMAP*>(system.datafile.current[system.bitmapIndex].dat);
    float shiftX = app.camera.x - kWidth / 2, shiftY = app.camera.y - kHeight / 2;
    for (const Particle& p : system.particles) {
      set_trans_blender(0, 0, 0, p.alpha);
      draw_trans_sprite(back, bitmap, static_cast<int>(p.x - shiftX) - bitmap->w / 2,
                        static_cast<int>(p.y - shiftY) - bitmap->h / 2);
    }
  }

  void drawHud(BITMAP* back) {
    const int cx = kWidth / 2;
    drawSprite(back, app.hudSprite, 0, 0, false);
    const int columns[4] = {-220, -100, 20, 140};
    for (int kind = 0; kind < 4; ++kind) {
      std::string count = std::to_string(app.treasureCollected[kind]) + "/" + std::to_string(app.treasureTotals[kind]);
      textout_centre_ex(back, font, count.c_str(), cx + columns[kind], 7, -1, -1);
    }
    std::string shots = std::to_string(app.player->bubbles) + "/" + std::to_string(app.bubbleLimit);
    textout_centre_ex(back, font, shots.c_str(), cx + 260, 7, -1, -1);
    int seconds = static_cast<int>(app.levelTime);
    std::string clock = std::to_string(seconds / 60) + ":" + (seconds % 60 < 10 ? "0" : "") + std::to_string(seconds % 60);
    textout_centre_ex(back, font, clock.c_str(), cx + 260, 38, -1, -1);
    for (int i = 0; i < app.maxHearts; ++i) {
      app.heartSprite.frame = i < app.hearts ? 0.0f : 1.0f;
      app.heartSprite.setPosition(cx + (i - app.maxHearts / 2) * 30, 575);
      drawSprite(back, app.heartSprite, 0, 0, false);
    }
  }
};

int differingPixels(BITMAP* a, BITMAP* b) {
  int count = 0;
  for (int y = 0; y < a->h; ++y)
    for (int x = 0; x < a->w; ++x) count += getpixel(a, x, y) != getpixel(b, x, y);
  return count;
}

// The game's own composition of the frame it stands in, and the raw one.
int differenceFromTheGame(GameApp& app, RawFrame& raw, BITMAP* scratch) {
  app.screen->present();
  app.drawOverlay();
  blit(app.screen->backBuffer, scratch, 0, 0, 0, 0, kWidth, kHeight);
  raw.compose();
  return differingPixels(scratch, app.screen->backBuffer);
}

// The raw frame of the level the game stands in. Between frames, untimed,
// the game moves its creatures and lays out its layers (sorted, scrolled
// after the camera), so the raw frame draws the picture the game's frame
// draws at the same time. The counters tell how far the two pictures are
// apart at the first and the last frame (0: the same).
void measureRawFrames(benchmark::State& state, GameApp& app) {
  app.paused = 0;
  BITMAP* scratch = create_bitmap(kWidth, kHeight);
  RawFrame raw(app);
  app.update(kFrameS);
  state.counters["differingPixelsFirst"] = differenceFromTheGame(app, raw, scratch);
  float phase = 0.0f;
  for (auto _ : state) {
    state.PauseTiming();
    app.update(kFrameS);
    app.endFrame();
    app.screen->present(scratch);
    state.ResumeTiming();
    raw.compose();
    phase += 0.16f;
    raw.sendWithWave(phase);
    benchmark::ClobberMemory();
  }
  state.counters["differingPixelsLast"] = differenceFromTheGame(app, raw, scratch);
  destroy_bitmap(scratch);
}

void BM_RawAllegroFrame(benchmark::State& state) {
  GameApp& app = game();
  enterBusyLevel(app);
  measureRawFrames(state, app);
}
BENCHMARK(BM_RawAllegroFrame)->Unit(benchmark::kMicrosecond);

void BM_RawGauntletFrame(benchmark::State& state) {
  GameApp& app = game();
  app.currentLevel = kGauntletLevel;
  app.switchState("inGame");
  app.player->miniGameLock = 1;
  measureRawFrames(state, app);
}
BENCHMARK(BM_RawGauntletFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
