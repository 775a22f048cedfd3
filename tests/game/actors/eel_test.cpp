#include "game/actors/eel.h"

#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"

namespace {

class EelTest : public LevelFixture {};

}  // namespace

TEST_F(EelTest, ChargingItShocksAnythingTouchingItsBody) {
  playLevel({
      "##########",
      "#........#",
      "#...e....#",
      "#........#",
      "#P......C#",
      "##########",
  }, 2);
  auto* eel = dynamic_cast<Eel*>(findActor("eel.dat"));
  ASSERT_NE(eel, nullptr);
  Player& player = *app.player;
  // Beyond its 60 px bite, yet the top left of the fish lies on its body.
  auto fishAlongside = [&] { player.setPosition(static_cast<int>(eel->x) + 65, static_cast<int>(eel->y) + 40); };
  for (int i = 0; i < 195; ++i) {
    fishAlongside();
    step();
  }
  EXPECT_FALSE(eel->charging);
  EXPECT_FALSE(player.dead);

  float patrolX = eel->x;
  for (int i = 0; i < 10 && !eel->charging; ++i) {  // the charge comes at 4 s
    fishAlongside();
    step();
  }
  EXPECT_TRUE(eel->charging);
  EXPECT_TRUE(eel->untrappable);
  EXPECT_EQ(soundCount("eelcharge"), 1);
  EXPECT_FALSE(player.dead);
  EXPECT_NEAR(eel->x, patrolX, 150.0f * 0.2f);
  fishAlongside();
  step();
  EXPECT_TRUE(player.dead);

  run(1.6f);  // seven flashes of 0.2 s
  EXPECT_FALSE(eel->charging);
  EXPECT_FALSE(eel->untrappable);
  EXPECT_GT(eel->chargeTimer, 3.8f);
}
