// The swordfish duel: the band it keeps to, its thrust and clash, and the
// plunger tip as the only thing that hurts it.
#include <allegro.h>

#include "game/actors/player.h"
#include "game/actors/swordfish.h"
#include "game/level_fixture.h"

namespace {

class SwordfishDuel : public LevelFixture {
 protected:
  Swordfish* swordfish = nullptr;

  void duel(const std::vector<std::string>& rows) {
    playLevel(rows, 19);
    swordfish = static_cast<Swordfish*>(findActor("swordfish.dat"));
    ASSERT_NE(swordfish, nullptr);
    run(2.1f);  // the ready-go banner
  }

  // A lunge under way whose plunger tip sits dx px left of the swordfish.
  void lungeWithTipAt(float dx) {
    app.player->dashState = 1;
    app.player->plungerArmed = 1;
    app.player->hFlip = true;
    app.player->moveTo(swordfish->x - 72 - dx, swordfish->y, 0.0f);  // also ends the last lunge's glide
  }

  void attackNow() {
    swordfish->attackTimer = 0.0f;
    step();
  }
};

}  // namespace

TEST_F(SwordfishDuel, ArmsThePlungerAndNeverLeavesItsBand) {
  duel({"############", "P..........W", "...........C", "############"});
  EXPECT_TRUE(app.player->plunger.visible);
  EXPECT_TRUE(app.player->plungerArmed);
  EXPECT_EQ(swordfish->x, 960 - 160);  // placed in the last column, kept out of it
  const int spots[] = {40, 500, 900, 300, 940, 20};
  for (int spot : spots) {
    app.player->setPosition(spot, 120);
    for (int i = 0; i < 150; ++i) {
      step();
      ASSERT_GE(swordfish->x, 160.0f);
      ASSERT_LE(swordfish->x, 960.0f - 160.0f);
    }
  }
}

TEST_F(SwordfishDuel, TheThrustKillsWithin160AndClashesOnceWithin220) {
  // Within 128 px it stands its ground, so the gap holds through the thrust.
  duel({"..............", "P.........W...", ".............C"});
  app.player->setPosition(static_cast<int>(swordfish->x) - 200, 120);
  attackNow();
  for (int i = 0; i < 200 && swordfish->frame < 21.0f; ++i) step();
  EXPECT_FALSE(app.player->dead);
  EXPECT_EQ(soundCount("swordclash") + soundCount("swordclash2"), 1);
  EXPECT_FALSE(swordfish->canClash);

  for (int i = 0; i < 200 && swordfish->animation.running; ++i) step();
  app.player->setPosition(static_cast<int>(swordfish->x) - 120, 120);
  attackNow();
  for (int i = 0; i < 200 && swordfish->frame < 21.0f; ++i) step();
  EXPECT_TRUE(app.player->dead);
  EXPECT_EQ(soundCount("swordfish_laugh"), 1);
  EXPECT_EQ(swordfish->hitPoints, 4);
}

TEST_F(SwordfishDuel, OnlyAnArmedPlungerTipHurtsItOncePerLunge) {
  duel({"..............", "P.........W...", ".............C"});
  swordfish->attackTimer = 100.0f;
  step();
  EXPECT_EQ(app.maxHearts, 4);
  EXPECT_EQ(app.hearts, 4);

  app.player->setPosition(static_cast<int>(swordfish->x) - 40, 120);  // no lunge
  step();
  lungeWithTipAt(40.0f);  // a lunge falling short
  step();
  app.player->plungerArmed = 0;  // a spent lunge
  lungeWithTipAt(0.0f);
  app.player->plungerArmed = 0;
  step();
  EXPECT_EQ(swordfish->hitPoints, 4);

  lungeWithTipAt(20.0f);
  step();
  step();
  EXPECT_EQ(swordfish->hitPoints, 3);
  EXPECT_FALSE(app.player->plungerArmed);
  EXPECT_EQ(soundCount("swordfish_hit"), 1);
  EXPECT_TRUE(swordfish->alphaInterp.running);  // flashing

  for (int blow = 0; blow < 3; ++blow) {
    run(0.5f);
    lungeWithTipAt(0.0f);
    step();
  }
  EXPECT_EQ(swordfish->hitPoints, 0);
  EXPECT_EQ(app.hearts, 0);
  EXPECT_EQ(soundCount("swordfish_hit"), 3);
  EXPECT_EQ(soundCount("swordfish_lose"), 1);
  float fledFrom = swordfish->y;
  run(1.1f);
  EXPECT_LT(swordfish->y, fledFrom);
  EXPECT_FALSE(swordfish->visible);
  EXPECT_FALSE(app.player->dead);
}
