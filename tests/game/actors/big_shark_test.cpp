// The final boss: its patrol, its lunges and what it swallows, and the two
// ways it loses hit points.
#include <allegro.h>

#include <algorithm>

#include "engine/tile_map.h"
#include "game/actor_factory.h"
#include "game/actors/crate.h"
#include "game/actors/big_shark.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"

namespace {

// Open water 16 x 9 tiles with the exit wall at (8, 5); the fish starts on
// the left, away from the shark.
const std::vector<std::string> kLair = {
    "................", "................", "................",
    "................", "................", "........#.......",
    "..P.............", "................", "C...............",
};

// A block with a crate's size that the shark may swallow.
class Block : public Actor {
 public:
  explicit Block(bool isSolid) {
    loadArt("crate.dat");
    solid = isSolid;
  }
};

class BigSharkFight : public LevelFixture {
 protected:
  BigShark* shark = nullptr;

  void SetUp() override {
    LevelFixture::SetUp();
    playLevel(kLair, 49);
    shark = static_cast<BigShark*>(findActor("sharkybig.dat"));
    ASSERT_NE(shark, nullptr);
  }

  Block* blockAt(int x, int y, bool isSolid = true) {
    auto* block = new Block(isSolid);
    app.addActor(block);
    block->setPosition(x, y);
    return block;
  }

  // Lures a lunge at (x, y), then takes the fish back out of reach.
  void lureLungeAt(int x, int y) {
    app.player->setPosition(x, y);
    step();
    app.player->setPosition(80, 520);
  }

  void finishLunge() {
    for (int i = 0; i < 200 && shark->lunging; ++i) step();
  }
};

}  // namespace

TEST_F(BigSharkFight, PatrolsExactlyBetween120And500WhileTheFishStaysLeft) {
  step();
  EXPECT_EQ(app.maxHearts, 3);
  EXPECT_EQ(app.hearts, 3);
  float lowest = shark->y, highest = shark->y;
  float previous = shark->y, direction = 0.0f;
  int turns = 0;
  for (int i = 0; i < 1000; ++i) {  // 20 s: more than two full sweeps
    step();
    EXPECT_EQ(shark->x, 880.0f);
    float change = shark->y - previous;
    if (change != 0.0f && direction != 0.0f && (change > 0) != (direction > 0)) ++turns;
    if (change != 0.0f) direction = change;
    previous = shark->y;
    lowest = std::min(lowest, shark->y);
    highest = std::max(highest, shark->y);
  }
  EXPECT_EQ(lowest, 120.0f);
  EXPECT_EQ(highest, 500.0f);
  EXPECT_GE(turns, 4);
  EXPECT_EQ(soundCount("anglerseesyou"), 0);
}

TEST_F(BigSharkFight, LungesWithItsMouthOnTheFishThenSwimsBackWithJawsThatKill) {
  lureLungeAt(520, 300);
  EXPECT_TRUE(shark->lunging);
  ASSERT_EQ(soundCount("anglerseesyou"), 1);
  for (const auto& request : sounds) {
    if (request.name == "anglerseesyou") {
      EXPECT_EQ(request.pitch, 600);
    }
  }
  finishLunge();
  EXPECT_EQ(shark->x, 520.0f + 300.0f);  // the far end of the jaws on the fish
  EXPECT_EQ(shark->y, 300.0f);
  EXPECT_TRUE(shark->mouthOpen);
  EXPECT_EQ(shark->frame, 1.0f);
  EXPECT_EQ(soundCount("sharkbite"), 1);
  EXPECT_EQ(soundCount("sharkgulp"), 0);  // nothing solid was there
  run(1.0f);
  EXPECT_EQ(shark->x, 880.0f);
  EXPECT_FALSE(shark->mouthOpen);
  EXPECT_EQ(shark->frame, 0.0f);

  lureLungeAt(520, 300);
  finishLunge();
  app.player->setPosition(560, 300);  // in the jaws as they swim back
  step();
  EXPECT_TRUE(app.player->dead);
  run(0.5f);
  EXPECT_EQ(app.player->x, static_cast<int>(shark->x));  // swallowed, and held
  EXPECT_EQ(app.player->y, static_cast<int>(shark->y));
  EXPECT_EQ(shark->hitPoints, 3);
}

TEST_F(BigSharkFight, TwoCratesInOneLungeCostTwoHitPointsAfterFourSeconds) {
  Block* first = blockAt(600, 260);
  Block* second = blockAt(680, 340);
  Block* below = blockAt(560, 520);          // under the jaws
  Block* weed = blockAt(640, 300, false);    // not solid
  lureLungeAt(500, 300);
  finishLunge();
  EXPECT_FALSE(first->visible);
  EXPECT_FALSE(second->visible);
  EXPECT_TRUE(below->visible);
  EXPECT_TRUE(weed->visible);
  EXPECT_EQ(shark->swallowed, 2);
  EXPECT_EQ(soundCount("sharkgulp"), 2);

  run(3.9f);
  EXPECT_EQ(shark->hitPoints, 3);
  EXPECT_EQ(soundCount("cannon"), 0);
  run(0.2f);
  EXPECT_EQ(shark->hitPoints, 1);
  EXPECT_EQ(app.hearts, 1);
  EXPECT_EQ(shark->swallowed, 0);
  EXPECT_EQ(soundCount("cannon"), 1);
  EXPECT_EQ(shark->frame, 2.0f);
  EXPECT_TRUE(shark->shakeTween.running);
  EXPECT_NE(app.tileMap->cellAt(8, 5), -1);  // not beaten yet
}

TEST_F(BigSharkFight, ExplosionsHurtItOncePerFlashAndTheLastOneSinksIt) {
  // An explosive crate on the lower left corner of its body, as it comes
  // down its patrol to y 400.
  auto* crate = static_cast<Crate*>(makeLevelActor("crate.dat:explosive"));
  app.addActorAtTile(crate, 6, 7, 0);
  for (int i = 0; i < 500 && shark->y < 400.0f; ++i) step();
  crate->hit();
  EXPECT_EQ(shark->hitPoints, 2);
  shark->hit();  // still flashing from the first
  EXPECT_EQ(shark->hitPoints, 2);
  run(0.5f);
  shark->hit();
  run(0.5f);
  EXPECT_NE(app.tileMap->cellAt(8, 5), -1);
  shark->hit();
  step();
  EXPECT_EQ(shark->hitPoints, 0);
  EXPECT_EQ(app.hearts, 0);
  EXPECT_EQ(app.tileMap->cellAt(8, 5), -1);  // the way out
  float startY = shark->y;
  run(1.1f);
  EXPECT_FALSE(shark->visible);
  EXPECT_GT(shark->y, startY);  // sinking towards (0, 1000)
  EXPECT_LT(shark->x, 880.0f);
  EXPECT_TRUE(shark->shakeTween.running);
  app.player->setPosition(600, 300);
  step();
  EXPECT_FALSE(shark->lunging);  // a sunken shark attacks no more
}
