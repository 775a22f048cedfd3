#include "game/actors/crab.h"

#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"

namespace {

class CrabTest : public LevelFixture {};

}  // namespace

TEST_F(CrabTest, WalksItsFloorToTheLastFootholdAndPinchesEvenFromABubble) {
  playLevel({
      "##########",
      "#P......C#",
      "#........#",
      "#...c....#",
      "#.####...#",
      "##########",
  }, 2);
  Actor* crab = findActor("crab.dat");
  ASSERT_NE(crab, nullptr);
  run(1.9f);
  EXPECT_EQ(crab->x, 4 * 80 + 40);  // resting first
  run(1.5f);
  EXPECT_EQ(crab->x, 2 * 80 + 40);  // the floor ends under column 2

  crab->trapInBubble(5.0f);
  run(3.0f);
  EXPECT_EQ(crab->x, 2 * 80 + 40);
  EXPECT_FALSE(app.player->dead);
  app.player->setPosition(static_cast<int>(crab->x) + 50, static_cast<int>(crab->y));
  step();
  EXPECT_TRUE(app.player->dead);
}
