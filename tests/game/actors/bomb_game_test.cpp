// The bomb game played on its own level: countdowns, the pointer, the
// explosion, disarming by bubble and the fifteen-coin payout.
#include "game/actors/bomb_game.h"

#include "engine/text_label.h"
#include "flow/game_app.h"
#include "game/actors/mini_game_fixture.h"
#include "game/actors/player.h"

namespace {

class BombGameTest : public MiniGameFixture {
 protected:
  BombGame* bomb = nullptr;

  void start() {
    playMiniGame(1001);
    bomb = controller<BombGame>();
    ASSERT_NE(bomb, nullptr);
  }

  void fishAt(float x, float y) {
    app.player->x = x;
    app.player->y = y;
  }

  // What a bubble shot does to it, then the second of fading out.
  void disarm() {
    bomb->trapInBubble(5.0f);
    run(1.1f);
  }
};

}  // namespace

TEST_F(BombGameTest, TrappedWithOneSecondLeftItStillDisarmsAndMovesOn) {
  start();
  EXPECT_EQ(bomb->x, 10 * 80 + 40);
  EXPECT_EQ(bomb->y, 13 * 80 + 40);
  run(9.0f);
  EXPECT_EQ(bomb->countdownText->text, "Boom in 1 seconds");
  bomb->trapInBubble(5.0f);
  step();
  EXPECT_EQ(bomb->trapTimer, 0.0f);
  EXPECT_EQ(bomb->countdownText->text, "");
  for (int i = 0; i < 100 && bomb->x == 10 * 80 + 40; ++i) step();  // fading out
  EXPECT_FALSE(app.player->dead);
  EXPECT_EQ(soundCount("cannon"), 0);
  EXPECT_EQ(bomb->x, 19 * 80 + 40);
  EXPECT_EQ(bomb->y, 5 * 80 + 40);
  EXPECT_EQ(bomb->alpha, 255.0f);
  EXPECT_FLOAT_EQ(bomb->countdown, 14.7f);
}

TEST_F(BombGameTest, ACountdownRunningOutBlowsTheFishUp) {
  start();
  run(10.1f);
  EXPECT_TRUE(app.player->dead);
  EXPECT_EQ(soundCount("cannon"), 1);
  EXPECT_EQ(bomb->countdownText->text, "");
  EXPECT_EQ(bomb->pointerText->text, "");
}

TEST_F(BombGameTest, TheScreenEdgePointerShowsTheWayToAFarBomb) {
  start();
  fishAt(bomb->x - 200.0f, bomb->y);
  step();
  EXPECT_FALSE(bomb->pointerText->visible);  // near enough to see it
  fishAt(bomb->x - 400.0f, bomb->y + 100.0f);
  step();
  EXPECT_TRUE(bomb->pointerText->visible);
  EXPECT_EQ(bomb->pointerText->anchor, 3);
  EXPECT_EQ(bomb->pointerText->x, 800.0f);
  fishAt(bomb->x + 100.0f, bomb->y + 400.0f);
  step();
  EXPECT_EQ(bomb->pointerText->anchor, 1);
  EXPECT_EQ(bomb->pointerText->y, 100.0f);  // the bomb is above
  fishAt(bomb->x, bomb->y);
  step();
  EXPECT_TRUE(bomb->pointerText->visible);  // once shown it stays
  bomb->trapInBubble(5.0f);
  step();
  EXPECT_FALSE(bomb->pointerText->visible);
}

TEST_F(BombGameTest, FiveDisarmedBombsPayFifteenCoins) {
  start();
  fishAt(18 * 80 + 40, 18 * 80 + 40);  // beside the last place
  for (int place = 0; place < 4; ++place) disarm();
  EXPECT_EQ(bomb->won, 0);  // the fifth place is still to come
  EXPECT_TRUE(bomb->visible);
  EXPECT_EQ(bomb->x, 19 * 80 + 40);
  EXPECT_EQ(bomb->y, 18 * 80 + 40);
  disarm();
  EXPECT_EQ(bomb->won, 1);
  EXPECT_FALSE(bomb->visible);
  EXPECT_EQ(coinsBankedByPayout(), 15);
}
