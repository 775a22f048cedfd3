#include "game/actors/dolphin.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>

#include "engine/screen.h"
#include "engine/text_label.h"
#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"
#include "game/treasure.h"

namespace {

class DolphinTest : public LevelFixture {
 protected:
  int visibleCoins() const {
    int count = 0;
    for (Actor* actor : app.actors) count += actor->visible && actor->kind() == "dat/coin.dat";
    return count;
  }

  // Holds the arrows that take the fish to the nearest coin in the water,
  // keeping below the dolphin: it only ever climbs, and its coins sink.
  void steerForCoins() {
    const Player& fish = *app.player;
    const Actor& dolphin = *findActor("dolphin.dat");
    float targetX = fish.x, targetY = fish.y, best = 1e9f;
    for (Actor* actor : app.actors) {
      if (!actor->visible || actor->kind() != "dat/coin.dat") continue;
      float distance = std::hypot(actor->x - fish.x, actor->y - fish.y);
      if (distance >= best) continue;
      best = distance;
      targetX = actor->x;
      targetY = dolphin.visible ? std::max(actor->y, dolphin.y + 60.0f) : actor->y;
    }
    for (int code : {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN}) letGo(code);
    if (targetX < fish.x - 4) hold(KEY_LEFT);
    else if (targetX > fish.x + 4) hold(KEY_RIGHT);
    if (targetY < fish.y - 4) hold(KEY_UP);
    else if (targetY > fish.y + 4) hold(KEY_DOWN);
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

TEST_F(DolphinTest, ACoinRunIsLostWhenNotEvenTheCoinsInTheWaterWouldDoAndWonChasingThem) {
  playLevel({
      "##########",
      "#........#",
      "#........#",
      "#........#",
      "#........#",
      "#........#",
      "#........#",
      "#........#",
      "#........#",
      "#........#",
      "#........#",
      "#D.......#",
      "P.C......#",  // a nook out of reach of the dolphin and its coins
      "##########",
  }, 3);
  app.treasures[0]->alpha = 0.0f;  // the chest taken at once: the ten coins alone decide
  app.treasures[0]->collected = 1;
  Actor* dolphin = findActor("dolphin.dat");
  Player& idler = *app.player;
  idler.coinsThisLevel = 8;
  for (int i = 0; i < 2000 && dolphin->visible; ++i) {
    step();
    ASSERT_FALSE(idler.dead) << "failed while the dolphin was still dropping coins";
  }
  EXPECT_EQ(dolphin->tileY(), 1);  // it leaves from the second row
  int coinsBefore = visibleCoins();
  for (int i = 0; i < 500 && !idler.dead; ++i) {
    coinsBefore = visibleCoins();
    step();
    ASSERT_TRUE(coinsBefore < 2 || !idler.dead) << coinsBefore << " coins would still have done";
  }
  EXPECT_EQ(coinsBefore, 1);
  EXPECT_TRUE(failureShown());

  run(2.1f);  // the level starts again
  app.treasures[0]->alpha = 0.0f;
  app.treasures[0]->collected = 1;
  for (int i = 0; i < 1500 && app.currentLevel == 3; ++i) {
    steerForCoins();
    step();
  }
  EXPECT_EQ(app.currentLevel, 4);
}
