#include "game/actors/sentinel.h"

#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"

namespace {

class SentinelTest : public LevelFixture {};

}  // namespace

TEST_F(SentinelTest, FiresOnlyAlongItsRowTheWayItFacesWithNothingSolidBetween) {
  playLevel({
      "###########",
      "#.........#",
      "#>..x.....#",
      "#.........#",
      "#.<.......#",
      "#P.......C#",
      "###########",
  }, 2);
  auto* watching = dynamic_cast<Sentinel*>(app.actors[0]);
  ASSERT_NE(watching, nullptr);
  EXPECT_FALSE(watching->facingLeft());
  EXPECT_TRUE(app.isBlocked(1, 2));
  Actor* crate = findActor("crate.dat");
  ASSERT_NE(crate, nullptr);
  Player& player = *app.player;

  player.setPosition(7 * 80 + 40, 2 * 80 + 40);
  run(0.5f);  // the crate is in the way
  player.setPosition(7 * 80 + 40, 4 * 80 + 40);
  run(0.5f);  // behind the back of the left-facing one
  EXPECT_EQ(soundCount("levlaser"), 0);

  crate->visible = false;
  player.setPosition(7 * 80 + 40, 2 * 80 + 40);
  step();
  EXPECT_TRUE(watching->firing);
  EXPECT_EQ(soundCount("levlaser"), 1);
  run(0.5f);
  EXPECT_TRUE(player.dead);
  EXPECT_FALSE(watching->firing);
  EXPECT_EQ(soundCount("levlaser"), 1);  // one bolt at a time
}

TEST_F(SentinelTest, ItsBoltHitsAFishHuggingTheFloorOfTheRow) {
  playLevel({
      "#########",
      "#.......#",
      "#>......#",
      "#P.....C#",
      "#########",
  }, 2);
  Player& player = *app.player;
  player.setPosition(6 * 80 + 40, 2 * 80 + 78);  // 58 px below the bolt's line
  run(0.5f);
  EXPECT_EQ(soundCount("levlaser"), 1);
  EXPECT_TRUE(player.dead);
}
