// Routes, the demo bot's input.
#include <gtest/gtest.h>

#include <allegro.h>

#include "route.h"

using namespace std::string_literals;

namespace {

std::string refusal(const std::string& text) {
  Route route;
  std::string error;
  return parseRoute(text, route, error) ? "" : error;
}

}  // namespace

TEST(Route, ReadsEveryStepAndNamesTheLineOfAnythingElse) {
  Route route;
  std::string error;
  ASSERT_TRUE(parseRoute("; level 3's route\ntidewell-route 1\nlevel 1002\n\ngo 12 3.5 ; a cell\ngo 4\n"
                         "hold UP+RIGHT 0.6\nwait 1.5\nfire left\nfire\nend 10\n",
                         route, error))
      << error;
  EXPECT_EQ(route.level, 1002);
  ASSERT_EQ(route.steps.size(), 7u);
  EXPECT_EQ(route.steps[0].kind, RouteStep::kGo);
  EXPECT_FLOAT_EQ(route.steps[0].y, 3.5f);
  EXPECT_EQ(route.steps[0].line, 5);
  EXPECT_EQ(route.steps[0].text, "go 12 3.5");
  EXPECT_LT(route.steps[1].y, 0.0f);  // column only
  EXPECT_EQ(route.steps[2].keys, (std::vector<int>{KEY_UP, KEY_RIGHT}));
  EXPECT_FLOAT_EQ(route.steps[3].seconds, 1.5f);
  EXPECT_EQ(route.steps[4].facing, -1);
  EXPECT_EQ(route.steps[5].facing, 0);
  EXPECT_EQ(route.steps[6].kind, RouteStep::kEnd);

  const std::string head = "tidewell-route 1\nlevel 7\n";
  EXPECT_EQ(refusal("level 7\ngo 1 1\n"), "line 2: a route starts with \"tidewell-route 1\" and \"level N\"");
  EXPECT_EQ(refusal("tidewell-route 2\n"), "line 1: unknown route version");
  EXPECT_EQ(refusal("tidewell-route 1\nlevel 50\n"), "line 2: level needs a level number");
  EXPECT_EQ(refusal(head + "swim 3 3\n"), "line 3: unknown step \"swim\"");
  EXPECT_EQ(refusal(head + "go -1 2\n"), "line 3: go needs a column and a row");
  EXPECT_EQ(refusal(head + "hold UP+JUMP 1\n"), "line 3: hold needs keys like UP+RIGHT");
  EXPECT_EQ(refusal(head + "wait 0\n"), "line 3: wait needs seconds");
  EXPECT_EQ(refusal(head + "fire up\n"), "line 3: fire faces left or right");
  EXPECT_EQ(refusal(head + "end 5 5\n"), "line 3: too many words");
  EXPECT_EQ(refusal(""), "line 1: a route starts with \"tidewell-route 1\" and \"level N\"");
}

TEST(Route, RefusesNumbersKeysAndCellsADesignerNeverMeans) {
  const std::string head = "tidewell-route 1\nlevel 7\n";
  for (const char* go : {"go nan inf", "go 0x1p3 2", "go 1e2 2", "go +3 2", "go 3 .", "go 3 1.2.3"})
    EXPECT_EQ(refusal(head + go + "\n"), "line 3: go needs a column and a row") << go;
  EXPECT_EQ(refusal(head + "go 99999 99999\n"), "line 3: go leads outside the level");
  EXPECT_EQ(refusal(head + "go 12 150\n"), "line 3: go leads outside the level");
  EXPECT_EQ(refusal(head + "go 299.5 149.5\n"), "");
  for (const char* hold : {"hold UP+ 1", "hold +UP 1", "hold UP++RIGHT 1", "hold UP 0x1"})
    EXPECT_NE(refusal(head + hold + "\n"), "") << hold;
  EXPECT_EQ(refusal(head + "wait 1\0\n"s), "line 3: a NUL byte");
  EXPECT_EQ(refusal("tidewell-route +1\nlevel 7\n"), "line 1: unknown route version");
}
