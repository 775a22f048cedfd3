#include "game/actors/jellyfish.h"

#include <algorithm>

#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"

namespace {

class JellyfishTest : public LevelFixture {};

}  // namespace

TEST_F(JellyfishTest, DriftsBetweenWhatLiesAboveAndBelowAndStingsFromABubble) {
  playLevel({
      "########",
      "#P.....#",
      "#...j..#",
      "#......#",
      "#.....C#",
      "########",
  }, 2);
  Actor* jelly = findActor("jellyfish.dat");
  ASSERT_NE(jelly, nullptr);
  float top = jelly->y, bottom = jelly->y;
  for (int i = 0; i < 600; ++i) {
    step();
    top = std::min(top, jelly->y);
    bottom = std::max(bottom, jelly->y);
  }
  EXPECT_GT(top, 80.0f);       // never into the ceiling row
  EXPECT_LT(top, 80.0f + 60);  // but up close to it
  EXPECT_GT(bottom, 4 * 80.0f);
  EXPECT_LT(bottom, 5 * 80.0f);

  jelly->trapInBubble(5.0f);
  float heldY = jelly->y;
  run(1.0f);
  EXPECT_EQ(jelly->y, heldY);
  app.player->setPosition(static_cast<int>(jelly->x) + 50, static_cast<int>(jelly->y));
  step();
  EXPECT_TRUE(app.player->dead);
}
