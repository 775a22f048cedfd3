// The power-up shop over a running level: what coins buy, what is refused,
// and which key presses buy.
#include "flow/powerup_shop_state.h"

#include <algorithm>
#include <cstdlib>

#include "engine/screen.h"
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

namespace {

// The shop in both screen modes, with a wallet wide enough to crowd it.
class ShopPicture : public Shop, public ::testing::WithParamInterface<int> {
 protected:
  ShopPicture() {
    screenWidth = GetParam();
    screenHeight = GetParam() * 3 / 4;
  }

  static int channelStep(int a, int b) {
    return std::max({std::abs(getr(a) - getr(b)), std::abs(getg(a) - getg(b)), std::abs(getb(a) - getb(b))});
  }
};

const int kMarginPx = 6;
const int kEdgeStep = 40;  // a colour jump this large between neighbours is an edge

}  // namespace

// Fault: the shop's heading sat under the heads-up bar, the spinning coin
// covered the price "15" and the description touched the panel's edge.
// Every word must be drawn whole, over a plain ground with a margin.
TEST_P(ShopPicture, EveryWordIsWholeAndStandsClearOfEverythingElse) {
  app.coins = 12345;
  open();
  PowerupShopState& s = shop();
  std::vector<TextLabel*> words = {s.heading, s.wallet};
  for (TextLabel* price : s.prices) words.push_back(price);
  for (int i = 0; i < 4; ++i) words.push_back(s.lines[i]);
  draw();
  BITMAP* back = app.screen->backBuffer;
  BITMAP* ground = create_bitmap(back->w, back->h);
  BITMAP* ink = create_bitmap(back->w, back->h);
  for (TextLabel* word : words) word->visible = false;
  draw();
  blit(back, ground, 0, 0, 0, 0, back->w, back->h);
  for (TextLabel* word : words) word->visible = true;
  draw();
  for (TextLabel* word : words) {
    ASSERT_NE(word, nullptr);
    clear_to_color(ink, bitmap_mask_color(ink));
    word->draw(ink);
    int left = ink->w, top = ink->h, right = -1, bottom = -1, covered = 0;
    for (int y = 0; y < ink->h; ++y) {
      for (int x = 0; x < ink->w; ++x) {
        int colour = getpixel(ink, x, y);
        if (colour == bitmap_mask_color(ink)) continue;
        covered += getpixel(back, x, y) != colour;
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
    ASSERT_GE(right, 0) << word->text;
    EXPECT_EQ(covered, 0) << word->text;
    left -= kMarginPx, top -= kMarginPx, right += kMarginPx, bottom += kMarginPx;
    ASSERT_TRUE(left >= 0 && top >= 0 && right < back->w && bottom < back->h) << word->text;
    int edges = 0;
    for (int y = top; y <= bottom; ++y)
      for (int x = left; x <= right; ++x)
        edges += channelStep(getpixel(ground, x, y), getpixel(ground, x + 1, y)) > kEdgeStep ||
                 channelStep(getpixel(ground, x, y), getpixel(ground, x, y + 1)) > kEdgeStep;
    EXPECT_EQ(edges, 0) << word->text;
  }
  destroy_bitmap(ink);
  destroy_bitmap(ground);
}

INSTANTIATE_TEST_SUITE_P(BothModes, ShopPicture, ::testing::Values(800, 640));
