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
