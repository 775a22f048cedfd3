#include "game/level_fixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "baker.h"
#include "engine/log.h"
#include "engine/screen.h"
#include "game/actors/actor.h"
#include "game/in_game_state.h"
#include "level_compiler.h"
#include "lzss_packer.h"
#include "sound/audio_capture.h"
#include "support/test_support.h"

namespace {

const int kScreenW = 800, kScreenH = 600;
const char* const kEmptyRoom[] = {"#####", "#P.C#", "#####"};

levels::Legend gameLegend() {
  levels::Legend legend;
  std::string error;
  std::string text = testsupport::readFile(testsupport::sourceDir() + "/assets/levels/legend.txt");
  EXPECT_TRUE(levels::parseLegend(text, legend, error)) << error;
  return legend;
}

std::string joined(const std::vector<std::string>& rows) {
  std::string text;
  for (const std::string& row : rows) text += row + "\n";
  return text;
}

}  // namespace

void LevelFixture::SetUp() {
  linkGameData();
  setFatalMode(false);  // errors are recorded, not fatal
  audiotest::startAllegroWithCapture();
  set_color_depth(16);
  display = std::make_unique<testsupport::MemoryDisplay>(kScreenW, kScreenH);
  app.skipFades = true;
  app.sound = new SoundManager();
  app.sound->requestLog = &sounds;
  app.screen = new Screen(kScreenW, kScreenH, Screen::Offscreen{});
  app.initGame();
}

void LevelFixture::TearDown() {
  releaseAllKeys();
  app.sound->requestLog = nullptr;
  display.reset();  // Allegro's exit would take its bitmap along
  app.shutdown();
  EXPECT_TRUE(testsupport::messageBoxTexts().empty())
      << ::testing::PrintToString(testsupport::messageBoxTexts());
}

// The baked game data, except for a level file of the test's own.
void LevelFixture::linkGameData() {
  namespace fs = std::filesystem;
  const std::string game = testsupport::gameDir();
  for (const char* item : {"sfx", "mus", "credits.txt"})
    ASSERT_EQ(symlink((game + "/" + item).c_str(), item), 0) << item;
  fs::create_directories("dat/lvl");
  for (const fs::directory_entry& entry : fs::directory_iterator(game + "/dat")) {
    if (entry.is_directory()) continue;
    fs::create_symlink(entry.path(), fs::path("dat") / entry.path().filename());
  }
  fs::create_directories("profiles");
}

void LevelFixture::playLevel(const std::vector<std::string>& rows, int number) {
  levels::Legend legend = gameLegend();
  std::vector<bake::DatObject> objects;
  std::string error;
  for (int level : levels::levelNumbers()) {
    levels::LevelPicture picture;
    if (level == number) {
      picture = pictureOf(rows, legend);
    } else {
      std::string room = joined(std::vector<std::string>(std::begin(kEmptyRoom), std::end(kEmptyRoom)));
      ASSERT_TRUE(levels::parseLevel("room", room, legend, picture, error)) << error;
    }
    objects.push_back(levels::levelObject(level, picture));
  }
  objects.push_back(levels::infoObject(objects.size()));
  ASSERT_TRUE(bake::writeFileAtomically("dat/lvl/levels.dat", bake::makePackfile(bake::serialiseDatafile(objects)), error))
      << error;
  enterLevel(number);
}

// The rows' colours without the compiler's size limit, so a test can hand
// the loader a picture larger than the tile grid.
levels::LevelPicture LevelFixture::pictureOf(const std::vector<std::string>& rows, const levels::Legend& legend) {
  levels::LevelPicture picture;
  picture.width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
  picture.height = static_cast<int>(rows.size());
  for (const std::string& row : rows) {
    EXPECT_EQ(static_cast<int>(row.size()), picture.width) << row;
    for (char cell : row) {
      auto found = legend.find(cell);
      EXPECT_NE(found, legend.end()) << cell;
      picture.pixels.push_back(found == legend.end() ? bake::Rgb{} : found->second);
    }
  }
  return picture;
}

void LevelFixture::useGameLevels() {
  std::remove("dat/lvl/levels.dat");
  ASSERT_EQ(symlink((testsupport::gameDir() + "/dat/lvl/levels.dat").c_str(), "dat/lvl/levels.dat"), 0);
}

void LevelFixture::enterLevel(int number) {
  if (!seedFromClock) app.levelSeed = fixedLevelSeed(number);
  app.currentLevel = number;
  app.switchState("inGame");
}

void LevelFixture::step(float dt) {
  app.update(dt);
  app.endFrame();
}

void LevelFixture::run(float seconds, float dt) {
  for (float t = 0.0f; t < seconds - 1e-4f; t += dt) step(dt);
}

void LevelFixture::draw() {
  app.screen->present();
  app.drawOverlay();
}

void LevelFixture::releaseAllKeys() {
  for (int i = 0; i < KEY_MAX; ++i) key[i] = 0;
  releaseAllKeyEvents();
}

std::string LevelFixture::top() const {
  return app.stateStack.empty() ? "" : app.stateStack.back()->name;
}

Actor* LevelFixture::findActor(const std::string& datafile) const {
  for (Actor* actor : app.actors)
    if (actor->kind() == "dat/" + datafile) return actor;
  return nullptr;
}

int LevelFixture::soundCount(const std::string& name) const {
  int count = 0;
  for (const auto& request : sounds) count += request.name == name;
  return count;
}
