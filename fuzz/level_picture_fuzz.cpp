// Level pictures: any size and any colours build a level without harm. The
// input's first two bytes are the picture's width and height (the width
// may pass the tile grid's 300 columns), the rest pick each cell's colour:
// one of the legend's colours, or a raw one.
#include <allegro.h>

#include <cstdint>
#include <string>
#include <vector>

#include "baker.h"
#include "engine/datafile_cache.h"
#include "engine/log.h"
#include "engine/screen.h"
#include "engine/tile_map.h"
#include "flow/game_app.h"
#include "fuzz_support.h"
#include "game/actors/actor.h"
#include "level_compiler.h"
#include "lzss_packer.h"
#include "sound/sound_manager.h"

namespace {

const int kMaxWidth = 320, kMaxHeight = 40;
const int kLastTileId = 16;
// The loader's colours, so most cells mean something.
const bake::Rgb kColours[] = {
    {255, 0, 0},     {20, 20, 20},    {30, 30, 30},    {40, 40, 40},    {50, 50, 50},   {55, 55, 55},
    {60, 60, 60},    {65, 65, 65},    {70, 70, 70},    {75, 75, 75},    {80, 80, 80},   {148, 96, 48},
    {64, 0, 64},     {148, 148, 96},  {0, 64, 0},      {255, 125, 0},   {164, 164, 164}, {125, 255, 0},
    {255, 164, 64},  {100, 100, 0},   {0, 255, 128},   {0, 255, 148},   {225, 225, 225}, {164, 100, 0},
    {0, 0, 0},       {0, 0, 255},     {255, 0, 125},   {0, 255, 255},   {0, 0, 64},     {125, 0, 255},
    {255, 0, 255},   {255, 255, 0},   {164, 255, 0},   {200, 200, 200}, {255, 0, 64},   {125, 125, 125},
    {0, 255, 0},     {0, 32, 96}};
const int kColourCount = sizeof(kColours) / sizeof(kColours[0]);

GameApp* app = nullptr;

void ignoreMessage(const std::string&) {}

levels::LevelPicture pictureOf(const uint8_t* data, size_t size) {
  levels::LevelPicture picture;
  picture.width = 1 + (size > 0 ? data[0] * 5 % kMaxWidth : 0);
  picture.height = 1 + (size > 1 ? data[1] % kMaxHeight : 0);
  size_t at = 2;
  for (int i = 0; i < picture.width * picture.height; ++i) {
    uint8_t pick = at < size ? data[at++] : 0;
    if (pick < kColourCount) {
      picture.pixels.push_back(kColours[pick]);
    } else {
      bake::Rgb raw{pick, uint8_t(at < size ? data[at] : 0), uint8_t(pick * 7)};
      picture.pixels.push_back(raw);
    }
  }
  return picture;
}

void writeLevel(const levels::LevelPicture& picture) {
  std::vector<bake::DatObject> objects{levels::levelObject(0, picture)};
  objects.push_back(levels::infoObject(objects.size()));
  std::string error;
  require(bake::writeFileAtomically("dat/lvl/levels.dat", bake::makePackfile(bake::serialiseDatafile(objects)),
                                    error),
          "the level file is written");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startFuzzing();
  set_color_depth(16);
  ::screen = create_bitmap(800, 600);
  app = new GameApp;
  setFatalMode(false);  // the scratch folder has no art: missing files are reported, not fatal
  setMessageBoxFunction(ignoreMessage);
  app->skipFades = true;
  app->sound = new SoundManager();
  app->screen = new Screen(800, 600, Screen::Offscreen{});
  app->initGame();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  levels::LevelPicture picture = pictureOf(data, size);
  writeLevel(picture);
  DatafileCache::instance().releaseIdle();  // a restart would keep the last input's file
  app->currentLevel = 0;
  app->switchState("inGame");
  require(app->isStacked("inGame"), "the level is entered");
  if (!app->levelLoadProblem.empty()) {
    // No start or no chest: refused, and never won.
    require(!app->levelWon, "a refused level is never won");
    return 0;
  }
  require(app->levelWidth == picture.width * 80 && app->levelHeight == picture.height * 80, "level size");
  int cells = picture.width * picture.height;
  // A clam brings its pearl: at most two things a cell.
  require(static_cast<int>(app->actors.size() + app->treasures.size()) <= 2 * cells, "actors per cell");
  for (int x = 0; x < TileMap::kColumns; ++x) {
    for (int y = 0; y < TileMap::kRows; ++y) {
      int id = app->tileMap->cellAt(x, y);
      require(id >= -1 && id <= kLastTileId, "tile ids");
      require(id == -1 || (x < picture.width && y < picture.height), "tiles only inside the picture");
    }
  }
  app->update(0.02f);
  app->endFrame();
  return 0;
}
