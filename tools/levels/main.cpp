// tidewell-levels: checks the level sources (level_checks.h) and compiles
// them into "lvl/levels.dat", one picture per level: story levels 0-49 are
// objects 0-49, the mini-game levels 1000-1003 objects 50-53.
//
//   tidewell-levels LEGEND SOURCE_DIR OUTPUT_FILE
#include <cstdio>
#include <string>

#include "baker.h"
#include "level_checks.h"
#include "level_compiler.h"
#include "lzss_packer.h"
#include "text_file.h"

namespace {

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: tidewell-levels LEGEND SOURCE_DIR OUTPUT_FILE\n");
    return 2;
  }
  std::string legendText, error;
  levels::Legend legend;
  if (!bake::readTextFile(argv[1], legendText) || !levels::parseLegend(legendText, legend, error)) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.empty() ? "cannot read" : error.c_str());
    return 1;
  }
  std::vector<bake::DatObject> objects;
  for (int number : levels::levelNumbers()) {
    const std::string path = std::string(argv[2]) + "/" + levels::sourceName(number);
    std::string text;
    if (!bake::readTextFile(path, text)) {
      std::fprintf(stderr, "%s: missing level source\n", path.c_str());
      return 1;
    }
    levels::LevelPicture picture;
    if (!levels::parseLevel(path, text, legend, picture, error) ||
        !levels::checkLevel(path, number, picture, error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
    objects.push_back(levels::levelObject(number, picture));
  }
  objects.push_back(levels::infoObject(objects.size()));
  if (!bake::writeFileAtomically(argv[3], bake::makePackfile(bake::serialiseDatafile(objects)), error)) {
    std::fprintf(stderr, "tidewell-levels: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
