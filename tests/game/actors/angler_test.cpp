#include "game/actors/angler.h"

#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"

namespace {

class AnglerTest : public LevelFixture {};

}  // namespace

TEST_F(AnglerTest, ChasesWhatItSeesAndPatrolsOnFromWhereItLosesSight) {
  playLevel({
      "##########",
      "#........#",
      "#.a......#",
      "#........#",
      "#P......C#",
      "##########",
  }, 2);
  auto* angler = dynamic_cast<Angler*>(findActor("angler.dat"));
  ASSERT_NE(angler, nullptr);
  Player& player = *app.player;
  player.setPosition(2 * 80 + 40 + 150, 2 * 80 + 40);
  step();
  EXPECT_TRUE(angler->chasing);
  EXPECT_EQ(soundCount("anglerseesyou"), 1);
  run(0.2f);
  EXPECT_GT(angler->x, 2 * 80 + 40);  // straight at the fish
  EXPECT_TRUE(angler->hFlip);

  player.setPosition(9 * 80, 4 * 80);  // well beyond 300 px
  step();
  EXPECT_FALSE(angler->chasing);
  float lostX = angler->x, lostY = angler->y;
  run(0.2f);
  EXPECT_TRUE(angler->moving);
  EXPECT_EQ(angler->y, lostY);  // no return to its old row
  EXPECT_NEAR(angler->x, lostX, 150.0f * 0.2f + 1.0f);
  EXPECT_FALSE(player.dead);
}
