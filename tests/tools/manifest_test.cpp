#include "manifest.h"

#include <gtest/gtest.h>

#include "expression.h"

using namespace bake;

namespace {

std::string parseError(const std::string& text) {
  Manifest manifest;
  std::string error;
  EXPECT_FALSE(parseManifest(text, manifest, error)) << text;
  return error;
}

double eval(const std::string& text, std::map<std::string, double> vars = {}) {
  double value = 0;
  std::string error;
  EXPECT_TRUE(evaluateExpression(text, vars, value, error)) << error;
  return value;
}

}  // namespace

TEST(Manifest, ObjectsExpandToTheEntriesTheGameIndexes) {
  const char* text =
      "datafile a.dat   # comment\n"
      "  rle SPIN 3 s.svg 10x12\n"
      "    param angle = i * 120\n"
      "  font F /x.otf 20 32-126 160-255\n"
      "  file SUB\n"
      "    bitmap L 2 l.svg 4x4 dither\n"
      "  end\n"
      "datafile lvl/levels.dat pending\n";
  Manifest manifest;
  std::string error;
  ASSERT_TRUE(parseManifest(text, manifest, error)) << error;
  const ManifestDatafile* a = manifest.find("a.dat");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(entryTypes(a->objects, true),
            (std::vector<uint32_t>{kTypeRle, kTypeRle, kTypeRle, kTypeFont, kTypePalette, kTypeFile, kTypeData}));
  const ManifestObject& sub = a->objects.at(2);
  EXPECT_EQ(entryTypes(sub.children, false), (std::vector<uint32_t>{kTypeBitmap, kTypeBitmap}));
  EXPECT_TRUE(sub.children.at(0).dither);
  EXPECT_EQ(a->objects[0].params.size(), 1u);
  EXPECT_EQ(a->objects[1].ranges.size(), 2u);
  EXPECT_EQ(frameName(a->objects[0], 2), "SPIN_02");
  EXPECT_EQ(frameName(sub.children[0], 0), "L_00");
  ASSERT_NE(manifest.find("lvl/levels.dat"), nullptr);
  EXPECT_TRUE(manifest.find("lvl/levels.dat")->pending);
  EXPECT_EQ(manifest.find("levels.dat"), nullptr);
}

TEST(Manifest, MistakesAreReportedWithTheirLine) {
  EXPECT_EQ(parseError("datafile a.dat\n  sprite X 1 x.svg 4x4\n"), "line 2: unknown word 'sprite'");
  EXPECT_EQ(parseError("\n  rle X 1 x.svg 4x4\n").rfind("line 2:", 0), 0u);
  EXPECT_EQ(parseError("datafile a.dat\n  rle X 1 x.svg 4by4\n").rfind("line 2: bad size", 0), 0u);
  EXPECT_EQ(parseError("datafile a.dat\n  rle X 0 x.svg 4x4\n"), "line 2: bad frame count");
  EXPECT_EQ(parseError("datafile a.dat\n  param k = 1\n"), "line 2: param outside a picture");
  EXPECT_EQ(parseError("datafile a.dat\n  file S\n  rle X 1 x.svg 4x4\n"), "line 2: file 'S' has no 'end'");
  EXPECT_EQ(parseError("datafile a.dat\n  end\n"), "line 2: 'end' without 'file'");
  EXPECT_EQ(parseError("datafile a.dat pending\n  rle X 1 x.svg 4x4\n"),
            "line 2: a pending datafile lists no objects");
  EXPECT_EQ(parseError("datafile a.dat\ndatafile a.dat\n"), "line 2: datafile 'a.dat' listed twice");
  EXPECT_EQ(parseError("datafile a.dat\n  font F f.otf 20 100-120 110-130\n"),
            "line 2: glyph ranges must ascend without overlap");
}

TEST(FrameExpression, FollowsArithmeticRulesAndDegreeTrigonometry) {
  EXPECT_DOUBLE_EQ(eval("1 + 2 * 3"), 7);
  EXPECT_DOUBLE_EQ(eval("(1 + 2) * 3"), 9);
  EXPECT_DOUBLE_EQ(eval("-2 * -3 - 1"), 5);
  EXPECT_DOUBLE_EQ(eval("8 / 2 / 2"), 2);
  EXPECT_NEAR(eval("cos(i * 18)", {{"i", 5}}), 0.0, 1e-12);
  EXPECT_NEAR(eval("sin(30)"), 0.5, 1e-12);
  EXPECT_DOUBLE_EQ(eval("max(abs(cos(i * 18)), 0.12)", {{"i", 5}}), 0.12);
  EXPECT_DOUBLE_EQ(eval("clamp(7, 0, 5) + floor(1.9) + min(2, -1)"), 5);
}

TEST(FrameExpression, DeepNestingStopsWithAClearErrorInsteadOfOverflowing) {
  double value = 0;
  std::string error;
  std::string shallow = std::string(60, '(') + "1" + std::string(60, ')');
  EXPECT_TRUE(evaluateExpression(shallow, {}, value, error)) << error;
  for (const std::string& deep : {std::string(200000, '(') + "1", std::string(200000, '-') + "1",
                                  "abs(" + std::string(100000, '(')}) {
    EXPECT_FALSE(evaluateExpression(deep, {}, value, error));
    EXPECT_NE(error.find("nested deeper than 64 levels"), std::string::npos);
  }
}

TEST(FrameExpression, RejectsWhatItCannotCompute) {
  const char* bad[] = {"1 +", "unknown * 2", "2 / (1 - 1)", "min(1)", "nosuch(1)", "(1 + 2", "3 4", "2 $ 3"};
  for (const char* text : bad) {
    double value = 0;
    std::string error;
    EXPECT_FALSE(evaluateExpression(text, {}, value, error)) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
}
