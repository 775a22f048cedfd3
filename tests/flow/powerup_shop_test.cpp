// The power-up shop over a running level: what coins buy, what is refused,
// and which key presses buy.
#include "flow/powerup_shop_state.h"

#include "engine/text_label.h"
#include "flow/profile_store.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"

namespace {

class Critter : public Actor {
 public:
  Critter() { loadArt("bubble.dat"); }
};

class Shop : public LevelFixture {
 protected:
  void SetUp() override {
    LevelFixture::SetUp();
    playLevel({"##########", "#P......C#", "##########"}, 2);
    step();
  }

  Player& fish() { return *app.player; }
  PowerupShopState& shop() { return *static_cast<PowerupShopState*>(app.stateRegistry["powerupShop"]); }

  void tap(int scancode) {
    hold(scancode);
    step();
    letGo(scancode);
    step();
  }

  void open() {
    run(0.2f);  // a shop that just closed lets the level run first
    tap(KEY_TAB);
    ASSERT_EQ(top(), "powerupShop");
    ASSERT_TRUE(app.paused);
  }

  void buy(int index) {
    while (shop().selected != index) tap(KEY_RIGHT);
    tap(KEY_ENTER);
  }

  int entriesOf(int id) {
    int count = 0;
    for (const auto& entry : fish().powerups) count += entry.first == id;
    return count;
  }
};

}  // namespace

TEST_F(Shop, NineCoinsBuyNothingAndTheShopStaysOpen) {
  app.coins = 9;
  int limit = app.bubbleLimit;
  open();
  for (int index = 0; index < PowerupShopState::kItemCount; ++index) buy(index);
  EXPECT_EQ(top(), "powerupShop");
  EXPECT_EQ(app.coins, 9);
  EXPECT_TRUE(fish().powerups.empty());
  EXPECT_EQ(app.bubbleLimit, limit);
}

TEST_F(Shop, HeldPowerUpsAreRefusedButSlowMotionPaysAgain) {
  app.coins = 100;
  fish().addPowerup(kPowerupInfinite, 20.0f);
  fish().addPowerup(kPowerupSlowMotion, 20.0f);
  open();
  buy(kPowerupInfinite);
  EXPECT_EQ(top(), "powerupShop");
  EXPECT_EQ(app.coins, 100);
  buy(kPowerupSlowMotion);
  EXPECT_EQ(top(), "inGame");  // a purchase closes the shop
  EXPECT_EQ(app.coins, 80);
  EXPECT_EQ(entriesOf(kPowerupSlowMotion), 2);

  fish().mountRay();
  open();
  buy(kPowerupSpeedBoost);
  EXPECT_EQ(top(), "powerupShop");
  EXPECT_EQ(entriesOf(kPowerupSpeedBoost), 0);
  EXPECT_EQ(app.coins, 80);
}

TEST_F(Shop, UpgradeRaisesTheLimitToTenAtMostAndSavesIt) {
  app.coins = 200;
  app.bubbleLimit = 9;
  open();
  buy(kPowerupUpgrade);
  EXPECT_EQ(app.bubbleLimit, 10);
  EXPECT_EQ(fish().bubbles, 10);
  EXPECT_EQ(app.coins, 150);
  ProfileProgress saved;
  ASSERT_TRUE(readProgressFile(progressPathFor(app.currentProfile), saved));
  EXPECT_EQ(saved.bubbleLimit, 10);

  open();
  buy(kPowerupUpgrade);
  EXPECT_EQ(top(), "powerupShop");
  EXPECT_EQ(app.bubbleLimit, 10);
  EXPECT_EQ(app.coins, 150);
}

TEST_F(Shop, SpecialTrapsEveryTrappableActorAndTheLevelResumes) {
  auto* critter = new Critter;
  app.addActorAtTile(critter, 5, 1, 0);
  auto* pickup = new Critter;
  pickup->untrappable = 1;
  app.addActorAtTile(pickup, 6, 1, 0);
  app.coins = 15;
  open();
  buy(kPowerupSpecial);
  EXPECT_EQ(app.coins, 0);
  EXPECT_EQ(critter->trapTimer, 10.0f);
  EXPECT_EQ(pickup->trapTimer, 0.0f);
  EXPECT_EQ(top(), "inGame");
  run(0.12f);
  EXPECT_FALSE(app.paused);
}

TEST_F(Shop, OnlyTheReleaseOfAKeyPressedInTheShopBuys) {
  app.coins = 100;
  hold(KEY_ENTER);  // as when the in-game menu opens the shop
  app.queueAction("pushPowerupShop_true");
  step();
  ASSERT_EQ(top(), "powerupShop");
  letGo(KEY_ENTER);
  step();
  EXPECT_EQ(top(), "powerupShop");
  EXPECT_EQ(app.coins, 100);

  hold(KEY_SPACE);
  run(0.5f);
  EXPECT_EQ(app.coins, 100);  // held, not yet bought
  letGo(KEY_SPACE);
  step();
  EXPECT_EQ(app.coins, 90);
  EXPECT_TRUE(fish().hasPowerup(kPowerupInfinite));
  EXPECT_EQ(top(), "inGame");
}

TEST_F(Shop, TheSelectionWrapsAndTheDescriptionFollowsIt) {
  open();
  EXPECT_EQ(shop().lines[0]->text, "INFINITE");
  tap(KEY_LEFT);
  EXPECT_EQ(shop().selected, 4);
  EXPECT_EQ(shop().lines[0]->text, "SLOW MOTION");
  EXPECT_EQ(shop().lines[3]->text, "");
  run(0.3f);
  EXPECT_EQ(shop().icons[4]->alpha, 255.0f);
  EXPECT_EQ(shop().icons[0]->alpha, 128.0f);
  tap(KEY_RIGHT);
  EXPECT_EQ(shop().selected, 0);
  tap(KEY_ESC);
  EXPECT_EQ(top(), "inGame");
}
