// The shell game played on its own level: the sinking chest, the twelve
// swaps, the pick and the five-coin payout.
#include "game/actors/shell_game.h"

#include "engine/text_label.h"
#include "flow/game_app.h"
#include "game/actors/mini_game_fixture.h"
#include "game/actors/player.h"
#include "game/treasure.h"

namespace {

class ShellGameTest : public MiniGameFixture {
 protected:
  ShellGame* game = nullptr;

  // Plays the intro and every swap; true once the fish may pick.
  bool reachThePick() {
    playMiniGame(1000);
    game = controller<ShellGame>();
    if (!game) return false;
    for (float t = 0.0f; t < 30.0f && !game->pick; t += 0.02f) step();
    return game->pick;
  }

  // Shell i back at its starting place.
  void lineUpShells() {
    for (int i = 0; i < 3; ++i) game->shells[i]->x = 304.0f + 96.0f * i;
  }

  // The fish goes where a picking player would swim: onto the shell's middle.
  void touch(float x) {
    app.player->x = x;
    app.player->y = 482.0f;
  }
};

}  // namespace

TEST_F(ShellGameTest, TheChestHidesUnderTheSecondShellWhereverItIsShuffledTo) {
  ASSERT_TRUE(reachThePick());
  Treasure& chest = *app.treasures.front();
  EXPECT_EQ(chest.x, 4000.0f);
  EXPECT_EQ(game->shuffleSpeed, 500.0f);  // swaps at 200, 225 ... 475
  EXPECT_EQ(game->message->text, "Pick a Shell!");
  float startX = app.player->x;

  touch(game->shells[1]->x);
  step();
  EXPECT_EQ(game->message->text, "You Have Chosen Wisely!");
  EXPECT_FALSE(app.player->dead);
  EXPECT_EQ(chest.alpha, 255.0f);
  EXPECT_NE(startX, app.player->x);  // no longer held at the start
  EXPECT_EQ(coinsBankedByPayout(), 5);
}

TEST_F(ShellGameTest, ShellsAreTakenInOrderSoAFishTouchingZeroAndOneDiesAndWins) {
  ASSERT_TRUE(reachThePick());
  lineUpShells();
  touch(352.0f);  // 48 px from both
  step();
  EXPECT_TRUE(app.player->dead);
  EXPECT_EQ(game->won, 1);
  EXPECT_EQ(game->message->text, "You Have Chosen Wisely!");

  ASSERT_TRUE(reachThePick());
  lineUpShells();
  touch(496.0f);
  step();
  EXPECT_TRUE(app.player->dead);
  EXPECT_EQ(game->message->text, "You Have Chosen Poorly...");
  EXPECT_EQ(game->pick, 1);
}
