// The dance game played on its own level: the frozen stage, the beat and
// its songs, judging the fish's steps, losing and the 25-coin payout.
#include "game/actors/dance_game.h"

#include <allegro.h>

#include "flow/game_app.h"
#include "game/actors/mini_game_fixture.h"
#include "game/actors/player.h"

namespace {

class DanceGameTest : public MiniGameFixture {
 protected:
  DanceGame* dance = nullptr;

  // Past the ready-go pause, at the first beat of the first bar.
  void start() {
    playMiniGame(1002);
    dance = controller<DanceGame>();
    ASSERT_NE(dance, nullptr);
    run(2.0f);
  }

  // Runs until the beat position is within one beat after beat, in phase.
  void runTo(DanceGame::Phase phase, float beat) {
    auto there = [&] {
      float position = dance->beatPosition;
      return dance->phase == phase && position >= beat && position < beat + 1.0f;
    };
    for (int i = 0; i < 1000 && !there(); ++i) step(0.01f);
    ASSERT_TRUE(there());
  }

  void tap(int scancode) {
    hold(scancode);
    step(0.01f);
    letGo(scancode);
    step(0.01f);
  }
};

}  // namespace

TEST_F(DanceGameTest, TheFishDancesOnAFrozenStageToTheBeat) {
  start();
  EXPECT_EQ(app.levelFrozen, 1);
  EXPECT_EQ(app.danceGame, dance);
  EXPECT_EQ(app.player->x, 200.0f);
  EXPECT_EQ(app.player->y, 360.0f);
  EXPECT_EQ(dance->x, 600.0f);
  EXPECT_EQ(app.levelTime, 0.0f);
  runTo(DanceGame::kRepeat, 0.0f);
  EXPECT_EQ(soundCount("beat"), 5);
  EXPECT_EQ(soundCount("dancesong"), 2);  // one song for showing and repeating
  for (const char* move : {"danceleft", "danceright", "danceup", "dancedown"})
    EXPECT_EQ(soundCount(move), 1);
  EXPECT_EQ(app.player->danceMode, 1);
  runTo(DanceGame::kWatch, 0.0f);
  EXPECT_EQ(dance->message, "Watch Me!");
  EXPECT_EQ(app.player->danceMode, 0);
  EXPECT_EQ(soundCount("beat"), 9);
  EXPECT_EQ(soundCount("dancesong2"), 1);
}

TEST_F(DanceGameTest, PressingTwiceForAMoveNetsMinusAHalfAndMissingOneCostsOne) {
  start();
  runTo(DanceGame::kRepeat, 0.4f);  // the first move is left, on beat 0
  tap(KEY_LEFT);
  EXPECT_EQ(dance->message, "GOOD!");
  EXPECT_LT(app.player->x, 200.0f);  // the fish steps left
  tap(KEY_LEFT);
  EXPECT_EQ(dance->message, "BAAAAD!");
  EXPECT_FLOAT_EQ(dance->score, 9.5f);
  runTo(DanceGame::kRepeat, 13.0f);  // the right move on beat 10 passes by
  EXPECT_FLOAT_EQ(dance->score, 8.5f);
  runTo(DanceGame::kRepeat, 16.0f);
  tap(KEY_DOWN);  // the move on beat 20 is up
  EXPECT_EQ(dance->message, "BAD!");
  EXPECT_FLOAT_EQ(dance->score, 8.25f);
}

TEST_F(DanceGameTest, AScoreBelowZeroKeepsHurtingUntilTheFishIsDead) {
  start();
  dance->score = -0.25f;
  app.player->miniGameLock = 1;  // spared this frame
  step();
  EXPECT_FALSE(app.player->dead);
  app.player->miniGameLock = 0;
  step();
  EXPECT_TRUE(app.player->dead);
}

TEST_F(DanceGameTest, FortyPointsWinAndPayTwentyFiveCoins) {
  start();
  dance->score = 39.0f;
  runTo(DanceGame::kRepeat, 0.4f);
  tap(KEY_LEFT);
  EXPECT_EQ(dance->message, "YouWin");
  EXPECT_EQ(app.player->danceFreeze, 1);
  EXPECT_EQ(coinsBankedByPayout(), 25);
}
