// The invaders game played on its own level: the march and its ink, the hits,
// the line the invaders must not cross and the forty-coin payout.
#include "game/actors/invaders_game.h"

#include "flow/game_app.h"
#include "game/actors/ink_blot.h"
#include "game/actors/mini_game_fixture.h"
#include "game/actors/player.h"

namespace {

const float kOneFramePx = 2.5f;  // a little over 0.02 s of march

class InvadersGameTest : public MiniGameFixture {
 protected:
  InvadersGame* game = nullptr;

  void start() {
    playMiniGame(1003);
    game = controller<InvadersGame>();
    ASSERT_NE(game, nullptr);
  }

  Actor& invader(int row, int i) { return *game->invaders[row][i].actor; }

  // Steps until the formation turns; invaders updated after the
  // controller may already have moved one frame back.
  void runToTurn() {
    float x = invader(0, 0).x;
    for (int i = 0; i < 1000 && invader(0, 0).x == x; ++i) step();
  }

  // The fish's bubble, out and over the invader.
  void shoot(const Actor& target) {
    Sprite& shot = app.player->shot;
    shot.visible = true;
    shot.x = target.x;
    shot.y = target.y;
    step();
  }
};

}  // namespace

TEST_F(InvadersGameTest, TheFormationMarchesDownAndUpSteppingRightAtEachTurn) {
  start();
  EXPECT_EQ(invader(0, 0).x, -280.0f);
  EXPECT_EQ(invader(4, 5).y, 440.0f);
  runToTurn();
  EXPECT_NEAR(invader(4, 5).y, 560.0f, kOneFramePx);
  EXPECT_EQ(invader(4, 5).x, 60.0f);
  EXPECT_NEAR(app.levelTime, 1.2f, 0.05f);  // 120 px at 100 px/s
  runToTurn();
  EXPECT_NEAR(invader(4, 0).y, 40.0f, kOneFramePx);
  EXPECT_EQ(invader(4, 0).x, 80.0f);
  EXPECT_EQ(app.player->bubbles, 3);
  EXPECT_FALSE(app.player->hFlip);  // facing the invaders
  auto* blot = static_cast<InkBlot*>(findActor("inkblot.dat"));
  ASSERT_NE(blot, nullptr);  // the first after 1.5 s
  EXPECT_FLOAT_EQ(blot->direction.x, 1.0f);  // straight at the fish's side
}

TEST_F(InvadersGameTest, AnInvaderPastTheLineKillsTheFish) {
  start();
  invader(2, 3).x = 690.0f;
  step();
  EXPECT_TRUE(app.player->dead);
}

TEST_F(InvadersGameTest, ShootingAllThirtyPaysFortyCoinsWhileTheLastStillFades) {
  start();
  for (int row = 4; row >= 0; --row) {
    for (int i = 0; i < 6; ++i) {
      Actor& target = invader(row, i);
      int hits = game->invaders[row][i].hits;
      for (int h = 0; h < hits; ++h) {
        shoot(target);
        EXPECT_FALSE(app.player->shot.visible);  // one bubble, one hit
      }
      EXPECT_EQ(game->invaders[row][i].hits, 0);
      EXPECT_EQ(game->won, game->invadersLeft == 0 ? 1 : 0) << game->invadersLeft << " invaders left";
    }
  }
  EXPECT_EQ(game->invadersLeft, 0);
  EXPECT_EQ(game->won, 1);
  EXPECT_TRUE(invader(0, 5).visible);
  EXPECT_GT(invader(0, 5).alpha, 0.0f);
  run(0.3f);
  EXPECT_FALSE(invader(0, 5).visible);
  EXPECT_EQ(coinsBankedByPayout(), 40);
}
