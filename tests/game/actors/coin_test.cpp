#include "game/actors/coin.h"

#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"

namespace {

class CoinTest : public LevelFixture {
 protected:
  Coin* addCoin(int x, int y) {
    auto* coin = new Coin;
    coin->setPosition(x, y);
    app.addActor(coin);
    return coin;
  }
};

}  // namespace

TEST_F(CoinTest, SinksForTwoSecondsThenFadesAway) {
  playLevel({"########", "#......#", "#P....C#", "#......#", "########"}, 2);
  Coin* coin = addCoin(300, 100);
  run(1.0f);
  EXPECT_NEAR(coin->y, 150.0f, 2.0f);
  EXPECT_EQ(coin->alpha, 255.0f);
  run(1.4f);
  EXPECT_TRUE(coin->visible);
  EXPECT_LT(coin->alpha, 255.0f);
  run(0.2f);
  EXPECT_FALSE(coin->visible);
}

TEST_F(CoinTest, ABubbleCarriesItToTheFishWhoTakesIt) {
  playLevel({"########", "#......#", "#P....C#", "#......#", "########"}, 2);
  Coin* coin = addCoin(450, 100);
  for (Actor* actor : app.actors)  // what SPECIAL does
    if (actor->visible && !actor->untrappable) actor->trapInBubble(10.0f);
  step();
  EXPECT_EQ(coin->x, app.player->x);
  EXPECT_NEAR(coin->y, app.player->y, 2.0f);
  EXPECT_EQ(coin->trapTimer, 0.0f);
  EXPECT_FALSE(coin->bubbleOverlay.visible);
  step();
  EXPECT_FALSE(coin->visible);
  EXPECT_EQ(app.player->coinsThisLevel, 1);
  EXPECT_EQ(soundCount("pop"), 0);
}
