#include "game/actors/mrpuffer.h"

#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"

namespace {

class MrpufferTest : public LevelFixture {
 protected:
  Mrpuffer* puffer = nullptr;

  void SetUp() override {
    LevelFixture::SetUp();
    playLevel({
        "############",
        "#..........#",
        "#..m.......#",
        "#..........#",
        "#P........C#",
        "############",
    }, 2);
    puffer = dynamic_cast<Mrpuffer*>(findActor("mrpuffer.dat"));
    ASSERT_NE(puffer, nullptr);
  }

  // Puts the fish px to the right of the puffer.
  void fishAt(float px) { app.player->setPosition(static_cast<int>(puffer->x + px), static_cast<int>(puffer->y)); }
};

}  // namespace

TEST_F(MrpufferTest, StaysArmedUntilTheFishIsFullyAway) {
  EXPECT_EQ(puffer->y, 2 * 80 + 40 + 40);  // sits on the floor of its cell
  fishAt(170.0f);
  run(0.3f);
  EXPECT_TRUE(puffer->armed);
  EXPECT_EQ(puffer->frame, 1.0f);

  fishAt(150.0f);  // between 80 and 240 px: no reason to relax
  run(1.0f);
  EXPECT_TRUE(puffer->armed);
  EXPECT_FALSE(puffer->deflating);

  fishAt(241.0f);
  run(0.5f);
  EXPECT_FALSE(puffer->armed);
  EXPECT_EQ(puffer->frame, 0.0f);

  fishAt(150.0f);
  step();
  EXPECT_FALSE(app.player->dead);  // still puffing up
  run(0.3f);
  EXPECT_TRUE(puffer->armed);
  fishAt(79.0f);
  step();
  EXPECT_TRUE(app.player->dead);
}

TEST_F(MrpufferTest, InABubbleItIsHarmless) {
  fishAt(170.0f);
  run(0.3f);
  ASSERT_TRUE(puffer->armed);
  puffer->trapInBubble(5.0f);
  fishAt(10.0f);
  run(1.0f);
  EXPECT_FALSE(app.player->dead);
}
