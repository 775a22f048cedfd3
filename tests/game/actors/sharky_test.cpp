#include "game/actors/sharky.h"

#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"

namespace {

class SharkyTest : public LevelFixture {};

}  // namespace

TEST_F(SharkyTest, ClosesInWithoutEverPassingTheFish) {
  playLevel({
      "############",
      "#P.........#",
      "#..........#",
      "#.........S#",
      "#.........C#",
      "############",
  }, 2);
  Actor* shark = findActor("sharky.dat");
  ASSERT_NE(shark, nullptr);
  Player& player = *app.player;
  EXPECT_EQ(player.swimSpeed, 510);
  EXPECT_TRUE(shark->untrappable);
  player.setPosition(303, 181);
  bool passed = false;
  for (int i = 0; i < 100; ++i) {
    step();
    passed = passed || shark->x < player.x || shark->y < player.y;
  }
  EXPECT_FALSE(passed);
  EXPECT_EQ(shark->x, player.x);  // exactly on it, not a step beyond
  EXPECT_TRUE(player.dead);
}

TEST_F(SharkyTest, AChaseIsLostStandingStillAndWonSwimmingForTheChest) {
  playLevel({
      "################",
      "#..............#",
      "#S.P..........C#",
      "#..............#",
      "################",
  }, 7);
  run(2.0f);  // ready, go
  run(0.3f);
  EXPECT_TRUE(app.player->dead);

  run(2.0f);  // the level starts again
  hold(KEY_RIGHT);
  run(2.0f);
  EXPECT_FALSE(app.player->dead);
  run(2.5f);  // through the chest, and its fade
  EXPECT_EQ(app.currentLevel, 8);
}
