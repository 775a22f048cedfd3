#include "game/actors/seagull.h"

#include <allegro.h>

#include <algorithm>

#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"

namespace {

class SeagullTest : public LevelFixture {
 protected:
  Seagull* gull = nullptr;

  void SetUp() override {
    LevelFixture::SetUp();
    playLevel({
        "##########",
        "#......s.#",
        "#........#",
        "#........#",
        "#P......C#",
        "##########",
    }, 2);
    gull = dynamic_cast<Seagull*>(findActor("seagull.dat"));
    ASSERT_NE(gull, nullptr);
  }

  // Puts the fish in the gull's column (or columns beside it), on row 3.
  void fishBelow(int columnsAside) {
    app.player->setPosition((gull->tileX() + columnsAside) * 80 + 40, 3 * 80 + 40);
  }
  DATAFILE* art(int sub) { return static_cast<DATAFILE*>(gull->datafile.root[sub].dat); }
};

}  // namespace

TEST_F(SeagullTest, DivesOnlyAtAFishInItsOwnColumnAndClimbsBack) {
  float ledgeY = gull->y;
  for (int i = 0; i < 50; ++i) {
    fishBelow(1);
    step();
  }
  EXPECT_FALSE(gull->diving);
  EXPECT_EQ(gull->y, ledgeY);

  fishBelow(0);
  step();
  EXPECT_TRUE(gull->diving);
  float spottedX = gull->x;
  run(0.4f);  // flapping in place
  EXPECT_EQ(gull->x, spottedX);
  EXPECT_EQ(soundCount("seagull"), 0);
  app.player->setPosition(40, 3 * 80 + 40);  // tucked into the wall, out of its way
  run(0.2f);
  EXPECT_EQ(soundCount("seagull"), 1);
  EXPECT_EQ(gull->datafile.current, art(1));
  float deepest = gull->y;
  for (int i = 0; i < 75; ++i) {
    step();
    deepest = std::max(deepest, gull->y);
  }
  EXPECT_EQ(deepest, 4 * 80 + 40);  // the lowest free tile
  EXPECT_EQ(gull->y, ledgeY);
  EXPECT_EQ(gull->datafile.current, art(0));
  EXPECT_FALSE(gull->returning);
  EXPECT_FALSE(app.player->dead);
}

TEST_F(SeagullTest, InABubbleItIsHarmless) {
  gull->trapInBubble(5.0f);
  app.player->setPosition(static_cast<int>(gull->x), static_cast<int>(gull->y));
  run(1.0f);
  EXPECT_FALSE(app.player->dead);
}
