// Gulpy played through the level fixture: shots, steering, walls, rides,
// hop mode, pushing blocks, pickups and power-ups on real time.
#include "game/actors/player.h"

#include <algorithm>

#include "flow/profile_store.h"
#include "game/level_fixture.h"
#include "game/treasure.h"
#include "support/test_support.h"

namespace {

class Critter : public Actor {
 public:
  explicit Critter(const std::string& art = "bubble.dat") { loadArt(art); }
};

// A closed room; the fish starts at tile (1, 2), facing right. The chest
// keeps the level going.
const std::vector<std::string> kRoom = {
    "##########",
    "#.......C#",
    "#P.......#",
    "#........#",
    "##########",
};

class PlayerTest : public LevelFixture {
 protected:
  Player& fish() { return *app.player; }

  void tap(int scancode) {
    hold(scancode);
    step();
    letGo(scancode);
    step();
  }

  Critter* critterAt(int tx, int ty, const std::string& art = "bubble.dat") {
    auto* critter = new Critter(art);
    app.addActorAtTile(critter, tx, ty, 0);
    return critter;
  }

  static bool logged(const std::string& text) {
    std::vector<std::string> lines = testsupport::logLines();
    return std::any_of(lines.begin(), lines.end(),
                       [&text](const std::string& line) { return line.find(text) != std::string::npos; });
  }
};

}  // namespace

TEST_F(PlayerTest, OneShotAtATimeEachCostingABubbleUnlessInfinite) {
  playLevel(kRoom, 2);
  int stock = fish().bubbles;
  hold(KEY_SPACE);
  step();
  EXPECT_EQ(fish().bubbles, stock - 1);
  EXPECT_TRUE(fish().shot.visible);
  letGo(KEY_SPACE);
  step();
  tap(KEY_SPACE);  // the first shot is still out
  EXPECT_EQ(fish().bubbles, stock - 1);
  EXPECT_EQ(soundCount("bubble"), 1);
  run(0.5f);
  EXPECT_FALSE(fish().shot.visible);
  EXPECT_GT(fish().shot.x, fish().x + 200.0f);  // it flew the way the fish faces
  tap(KEY_SPACE);
  EXPECT_EQ(fish().bubbles, stock - 2);

  run(0.6f);
  fish().bubbles = 0;
  tap(KEY_SPACE);
  EXPECT_FALSE(fish().shot.visible);
  fish().addPowerup(kPowerupInfinite, 20.0f);
  tap(KEY_SPACE);
  EXPECT_TRUE(fish().shot.visible);
  EXPECT_EQ(fish().bubbles, 0);
}

TEST_F(PlayerTest, AShotTrapsOnlyTheFirstTrappableActorItReaches) {
  playLevel(kRoom, 2);
  Critter* pickup = critterAt(3, 2);
  pickup->untrappable = 1;
  Critter* near = critterAt(4, 2);
  Critter* far = critterAt(5, 2);
  tap(KEY_SPACE);
  run(0.5f);
  EXPECT_EQ(pickup->trapTimer, 0.0f);
  EXPECT_GT(near->trapTimer, 4.0f);
  EXPECT_EQ(far->trapTimer, 0.0f);
  EXPECT_FALSE(fish().shot.visible);
}

TEST_F(PlayerTest, LeftBeatsRightAndDownBeatsUp) {
  playLevel(kRoom, 2);
  float startX = fish().x, startY = fish().y;
  hold(KEY_LEFT);
  hold(KEY_RIGHT);
  run(0.1f);
  EXPECT_LT(fish().x, startX);
  EXPECT_FALSE(fish().hFlip);
  letGo(KEY_LEFT);
  letGo(KEY_RIGHT);
  hold(KEY_UP);
  hold(KEY_DOWN);
  run(0.1f);
  EXPECT_GT(fish().y, startY);
}

TEST_F(PlayerTest, SwimmingIntoAWallStopsButRidingIntoOneKillsAndRestarts) {
  playLevel({"#####", "#P.##", "#C###", "#####"}, 2);
  hold(KEY_RIGHT);
  run(1.0f);
  EXPECT_FALSE(fish().dead);
  EXPECT_GT(fish().x, 200.0f);
  EXPECT_LT(fish().x, 240.0f);  // tile 3 is wall
  letGo(KEY_RIGHT);

  playLevel({"#####", "#P..#", "#C..#", "#####"}, 2);
  fish().mountRay();
  run(0.5f);
  EXPECT_TRUE(fish().dead);
  EXPECT_EQ(soundCount("ow"), 1);
  run(2.0f);
  EXPECT_EQ(top(), "inGame");
  EXPECT_FALSE(fish().dead);  // the level started again
  EXPECT_FALSE(fish().riding());
}

TEST_F(PlayerTest, SlowMotionHalvesGameTimeButRunsItsOwnClockOnRealTime) {
  playLevel(kRoom, 2);
  Critter* critter = critterAt(7, 3);
  critter->trapInBubble(15.0f);
  fish().addPowerup(kPowerupSlowMotion, 20.0f);
  EXPECT_EQ(app.timeScale, 0.5f);
  for (int frame = 0; frame < 990; ++frame) step(app.frameTime(2));  // 19.8 s of real time
  EXPECT_TRUE(fish().hasPowerup(kPowerupSlowMotion));
  EXPECT_NEAR(critter->trapTimer, 15.0f - 9.9f, 0.01f);
  for (int frame = 0; frame < 20; ++frame) step(app.frameTime(2));
  EXPECT_FALSE(fish().hasPowerup(kPowerupSlowMotion));
  EXPECT_EQ(app.timeScale, 1.0f);
}

TEST_F(PlayerTest, OnLandTheFishJumpsOnlyFromTheFloorOfItsTile) {
  playLevel({"##########", "#........#", "#.......C#", "#P.......#", "##########"}, 30);
  ASSERT_TRUE(fish().hopMode);
  run(1.0f);
  EXPECT_FALSE(fish().airborne);
  EXPECT_GT(fish().y, 3 * 80 + 60);  // settled on the floor

  fish().y = 3 * 80 + 50;  // 30 px above the floor
  tap(KEY_UP);
  EXPECT_EQ(soundCount("boing"), 0);
  run(1.0f);
  float floorY = fish().y;
  hold(KEY_UP);
  step();
  EXPECT_EQ(soundCount("boing"), 1);
  EXPECT_TRUE(fish().airborne);
  EXPECT_LT(fish().y, floorY - 10.0f);
  letGo(KEY_UP);
  run(2.0f);
  EXPECT_FALSE(fish().airborne);

  float startX = fish().x;
  hold(KEY_LEFT);
  hold(KEY_RIGHT);
  run(0.2f);
  EXPECT_GT(fish().x, startX);  // on land right wins

  // Landing while pressing into a wall is still a landing.
  letGo(KEY_RIGHT);
  run(1.0f);  // flush against the left wall
  tap(KEY_UP);
  run(2.0f);
  EXPECT_EQ(soundCount("boing"), 2);
  EXPECT_FALSE(fish().airborne);
}

TEST_F(PlayerTest, PushesASolidBlockTileByTileUntilAWallRefuses) {
  playLevel({"##########", "#........#", "#P......##", "#.......C#", "##########"}, 2);
  Critter* block = critterAt(2, 2);
  block->solid = 1;
  hold(KEY_RIGHT);
  run(0.5f);
  EXPECT_EQ(block->x, 3 * 80 + 40);
  EXPECT_LT(fish().x, 3 * 80.0f);  // never inside the block's tile
  run(4.0f);
  EXPECT_EQ(block->x, 7 * 80 + 40);  // tile 8 is wall
  EXPECT_LT(fish().x, 7 * 80.0f);
}

TEST_F(PlayerTest, CoinsAndTreasureAreCollectedByTouch) {
  playLevel({"######", "#....#", "#P.C.#", "#....#", "######"}, 2);
  Critter* coin = new Critter("coin.dat");
  app.addActor(coin);
  coin->setPosition(static_cast<int>(fish().x) + 30, static_cast<int>(fish().y));
  step();
  EXPECT_EQ(fish().coinsThisLevel, 1);
  EXPECT_FALSE(coin->visible);
  EXPECT_EQ(soundCount("treasure"), 1);

  Treasure* chest = app.treasures[0];
  hold(KEY_RIGHT);
  run(0.8f);
  EXPECT_TRUE(chest->collected);
  EXPECT_EQ(soundCount("treasure"), 2);
  EXPECT_EQ(app.treasureCollected[0], 1);  // the heads-up bar counts it at once
  run(0.5f);
  EXPECT_EQ(app.currentLevel, 3);  // the last chest ends the level
}

TEST_F(PlayerTest, ADamagedKeyFileOrProfileFallsBackToDefaultsAndSaysSo) {
  testsupport::writeFile(app.keyConfigPath(), "jump 1 30\nfire 0\nleft 1 9000\n");
  ProfileProgress damaged;
  damaged.bubbleLimit = 99;
  ASSERT_TRUE(writeProgressFile(progressPathFor(app.currentProfile), damaged));
  app.loadProfile();
  EXPECT_EQ(app.bubbleLimit, 3);
  EXPECT_TRUE(logged("bubble limit 99 out of range"));

  playLevel(kRoom, 2);
  EXPECT_EQ(fish().bubbles, 3);
  // A bad line keeps its default; a joystick code cannot steer the fish.
  EXPECT_TRUE(logged("line 2 skipped: bad binding"));
  EXPECT_TRUE(logged("dropped an unknown key for left"));
  tap(KEY_SPACE);
  EXPECT_TRUE(fish().shot.visible);
  float startX = fish().x;
  hold(KEY_LEFT);
  run(0.1f);
  EXPECT_LT(fish().x, startX);
}
