#include "game/actors/dolphin.h"

#include "engine/screen.h"
#include "engine/text_label.h"
#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"

namespace {

class DolphinTest : public LevelFixture {
 protected:
  int visibleCoins() const {
    int count = 0;
    for (Actor* actor : app.actors) count += actor->visible && actor->kind() == "dat/coin.dat";
    return count;
  }

  bool failureShown() const {
    for (Drawable* drawable : app.screen->layers[4].drawables) {
      auto* label = dynamic_cast<TextLabel*>(drawable);
      if (label && label->text == "You didn't get enough coins!") return true;
    }
    return false;
  }
};

}  // namespace

TEST_F(DolphinTest, TheRunIsLostOnlyWhenEvenTheCoinsStillFallingCannotMakeItUp) {
  playLevel({
      "#######",
      "#....P#",
      "#.....#",
      "#D...C#",
      "#######",
  }, 3);  // ten coins required
  Actor* dolphin = findActor("dolphin.dat");
  ASSERT_NE(dolphin, nullptr);
  Player& player = *app.player;
  player.coinsThisLevel = 8;
  run(2.0f);  // the ready-go banner
  for (int i = 0; i < 200 && dolphin->visible; ++i) {
    step();
    ASSERT_FALSE(player.dead) << "failed while the dolphin was still dropping coins";
  }
  ASSERT_FALSE(dolphin->visible);
  EXPECT_EQ(dolphin->tileY(), 1);
  EXPECT_GE(visibleCoins(), 2);
  step();
  EXPECT_FALSE(player.dead);  // eight and two still in the water make ten

  int coinsBefore = visibleCoins();
  for (int i = 0; i < 200 && !player.dead; ++i) {
    coinsBefore = visibleCoins();
    step();
    ASSERT_TRUE(coinsBefore < 2 || !player.dead) << coinsBefore << " coins would still have done";
  }
  EXPECT_TRUE(player.dead);
  EXPECT_EQ(coinsBefore, 1);
  EXPECT_TRUE(failureShown());
}
