// tidewell-level-preview: draws levels of the baked game, as the game
// builds them, into one PNG each ("level07.png"), for reviewing designs at
// a glance. Runs in the game folder; needs an X display, as the game does,
// though it opens no window.
//
//   tidewell-level-preview OUTPUT_DIR [LEVEL...]     (every level by default)
#include <allegro.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "flow/headless_game.h"
#include "flow/launch_options.h"
#include "flow/scratch_folder.h"
#include "level_compiler.h"
#include "level_preview.h"

namespace {

std::string pictureName(int number) {
  std::string name = levels::sourceName(number);
  return name.substr(0, name.rfind('.')) + ".png";
}

bool readLevels(int argc, char** argv, std::vector<int>& numbers) {
  for (int i = 2; i < argc; ++i) {
    char* end = nullptr;
    long number = std::strtol(argv[i], &end, 10);
    if (*end != '\0' || !isPlayableLevel(number)) return false;
    numbers.push_back(static_cast<int>(number));
  }
  if (numbers.empty()) numbers = levels::levelNumbers();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> numbers;
  if (argc < 2 || !readLevels(argc, argv, numbers)) {
    std::fprintf(stderr, "usage: tidewell-level-preview OUTPUT_DIR [LEVEL...] (levels 0-49, 1000-1003)\n");
    return 2;
  }
  std::error_code failure;
  std::filesystem::path output = std::filesystem::absolute(argv[1], failure);
  std::filesystem::create_directories(output, failure);
  // The game's own writes (log, profile) go to a scratch folder.
  ScratchFolder scratch;
  if (failure || !scratch.ready()) {
    std::fprintf(stderr, "tidewell-level-preview: %s\n", failure ? failure.message().c_str() : scratch.error().c_str());
    return 1;
  }
  HeadlessGame game;
  if (!game.start()) return 1;
  int written = 0;
  for (int number : numbers) {
    BITMAP* picture = levels::drawLevelPreview(game.app, number);
    std::string path = (output / pictureName(number)).string();
    if (picture && levels::writePng(picture, path)) ++written;
    else std::fprintf(stderr, "tidewell-level-preview: cannot write %s\n", path.c_str());
    if (picture) destroy_bitmap(picture);
  }
  std::printf("%d level previews in %s\n", written, output.string().c_str());
  return written == int(numbers.size()) ? 0 : 1;
}
