#include "game/actors/cannon.h"

#include <algorithm>

#include "engine/screen.h"
#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"

namespace {

class CannonTest : public LevelFixture {
 protected:
  bool inLevel(const Actor* actor) const {
    return std::find(app.actors.begin(), app.actors.end(), actor) != app.actors.end();
  }
};

}  // namespace

TEST_F(CannonTest, FiresOneBallAtATimeAtTheFirstWallOnItsLeft) {
  playLevel({
      "##########",
      "#P.......#",
      "#.#....K.#",
      "#.......C#",
      "##########",
  }, 2);
  auto* cannon = dynamic_cast<Cannon*>(findActor("cannon.dat"));
  ASSERT_NE(cannon, nullptr);
  Actor& ball = *cannon->cannonball;
  run(1.9f);
  EXPECT_FALSE(ball.visible);
  run(0.2f);
  ASSERT_TRUE(ball.visible);
  EXPECT_EQ(soundCount("cannon"), 1);
  EXPECT_TRUE(inLevel(&ball));
  EXPECT_EQ(ball.y, cannon->y + 18);

  ball.trapInBubble(3.0f);  // hangs in its bubble: no second shot meanwhile
  run(3.0f);
  EXPECT_EQ(soundCount("cannon"), 1);
  EXPECT_TRUE(ball.visible);
  float endX = 2 * 80 + 61;  // it strikes 61 px into the wall's tile
  for (int i = 0; i < 100 && ball.visible; ++i) {
    EXPECT_GE(ball.x, endX);
    step();
  }
  EXPECT_FALSE(ball.visible);
  EXPECT_FALSE(inLevel(&ball));
  run(2.1f);
  EXPECT_EQ(soundCount("cannon"), 2);
}

TEST_F(CannonTest, ItsBallBlowsUpAnExplosiveCrateInThePath) {
  playLevel({
      "##########",
      "#P.......#",
      "#.X....K.#",
      "#.......C#",
      "##########",
  }, 2);
  Actor* crate = findActor("excrate.dat");
  ASSERT_NE(crate, nullptr);
  run(3.5f);
  EXPECT_FALSE(crate->visible);
  EXPECT_EQ(soundCount("cannon"), 2);  // the shot and the blast
  EXPECT_FALSE(app.player->dead);      // 100 px and more away
}
