// The level compiler: legend, sources and the pictures the game loads.
#include <allegro.h>
#include <gtest/gtest.h>

#include "level_compiler.h"
#include "support/test_support.h"

using namespace levels;

namespace {

Legend smallLegend() {
  Legend legend;
  std::string error;
  EXPECT_TRUE(parseLegend("; cells\n.   0  32  96\n#  255 0 0 ; wall\nP 0 0 255\n", legend, error)) << error;
  return legend;
}

std::string compileError(const std::string& text) {
  LevelPicture picture;
  std::string error;
  EXPECT_FALSE(parseLevel("level03.txt", text, smallLegend(), picture, error));
  return error;
}

}  // namespace

TEST(LevelCompiler, BadSourcesStopWithTheirFileLineAndColumn) {
  EXPECT_EQ(compileError("; a comment\n#..\n#.x\n"), "level03.txt:3:3: unknown cell 'x'");
  EXPECT_EQ(compileError("###\n#.\n###\n"), "level03.txt:2:3: row is 2 cells wide, the first row 3");
  EXPECT_EQ(compileError(std::string(301, '.') + "\n"), "level03.txt:1:1: level is 301 x 1 cells, more than 300 x 150");
  std::string tall;
  for (int i = 0; i < 151; ++i) tall += "#\n";
  EXPECT_NE(compileError(tall).find("1 x 151 cells"), std::string::npos);
  EXPECT_EQ(compileError("\n\n"), "level03.txt:1:1: no rows");

  Legend legend;
  std::string error;
  EXPECT_FALSE(parseLegend("# 255 0\n", legend, error));
  EXPECT_EQ(error, "legend line 1: expected CHAR R G B (0-255)");
  EXPECT_FALSE(parseLegend("# 1 2 3\n# 4 5 6\n", legend, error));
}

TEST(LevelCompiler, EveryGameLevelCompilesAndLoadsWithItsExactColours) {
  Legend legend;
  std::string error;
  ASSERT_TRUE(parseLegend(testsupport::readFile(testsupport::sourceDir() + "/assets/levels/legend.txt"), legend,
                          error))
      << error;
  EXPECT_EQ(legend.at('#').r, 255);
  EXPECT_EQ(legend.at('P').b, 255);

  testsupport::initAllegroNoDisplay(16);
  DATAFILE* levels = load_datafile((testsupport::gameDir() + "/dat/lvl/levels.dat").c_str());
  ASSERT_NE(levels, nullptr);
  std::vector<int> numbers = levelNumbers();
  for (size_t i = 0; i < numbers.size(); ++i) {
    const std::string name = sourceName(numbers[i]);
    LevelPicture picture;
    ASSERT_TRUE(parseLevel(name, testsupport::readFile(testsupport::sourceDir() + "/assets/levels/" + name),
                           legend, picture, error))
        << error;
    ASSERT_EQ(levels[i].type, DAT_BITMAP) << name;
    BITMAP* bitmap = static_cast<BITMAP*>(levels[i].dat);
    ASSERT_EQ(bitmap->w, picture.width) << name;
    ASSERT_EQ(bitmap->h, picture.height) << name;
    for (int p = 0; p < picture.width * picture.height; ++p) {
      const bake::Rgb& c = picture.pixels[p];
      ASSERT_EQ(getpixel(bitmap, p % picture.width, p / picture.width), makecol(c.r, c.g, c.b)) << name;
    }
  }
  EXPECT_EQ(levels[numbers.size()].type, DAT_DATA);  // the trailing info entry
  unload_datafile(levels);
}
