// The big boss bird: its round of waits, gusts and runs, the side rule, its
// dives, the spikes that alone hurt it, and the chest it gives up.
#include <allegro.h>

#include "game/actors/big_boss_bird.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"
#include "game/treasure.h"

namespace {

// A land level; the ledge at (2, 4) hides the fish at (2, 6) from the bird,
// whose runs cross columns 1 to 8 at the height of row 2.
const std::vector<std::string> kCliff = {
    "C##########", "##........#", "#.........#", "#.........#",
    "#.#.......#", "#.........#", "#.P.......#", "###########",
};
const int kHidingX = 2 * 80 + 40, kFloorY = 6 * 80 + 60;

class Spike : public Actor {
 public:
  Spike() { loadArt("spikes.dat"); }
};

class BirdFight : public LevelFixture {
 protected:
  BigBossBird* bird = nullptr;

  void SetUp() override {
    LevelFixture::SetUp();
    playLevel(kCliff, 39);
    bird = static_cast<BigBossBird*>(findActor("bigbossbird.dat"));
    ASSERT_NE(bird, nullptr);
    app.paused = 0;  // past the ready-go banner
    app.pauseCountdown = 0.0f;
    app.player->miniGameLock = 1;  // gusts and dives may fall where they like
    app.player->setPosition(kHidingX, kFloorY);
  }

  bool runUntil(int state, float seconds = 10.0f) {
    for (float t = 0.0f; t < seconds && bird->state != state; t += 0.02f) step();
    return bird->state == state;
  }

  Spike* spikeAt(int x, int y) {
    auto* spike = new Spike;
    app.addActor(spike);
    spike->setPosition(x, y);
    return spike;
  }

  // Shows the fish below the bird as it crosses column, for one frame.
  void lureDiveAt(int column) {
    for (int i = 0; i < 1000 && !(bird->state == 1 && bird->tileX() == column); ++i) step();
    ASSERT_EQ(bird->tileX(), column);
    app.player->setPosition(column * 80 + 40, kFloorY);
    step();
    app.player->setPosition(kHidingX, kFloorY);
    ASSERT_EQ(bird->state, 3);
  }
};

}  // namespace

TEST_F(BirdFight, ItsFirstRunGoesTo120AndRunsAlternateSides) {
  step();
  EXPECT_EQ(bird->x, 740.0f);  // its own start, not the corner tile
  EXPECT_EQ(bird->y, 200.0f);
  EXPECT_EQ(bird->state, 0);
  EXPECT_EQ(app.maxHearts, 3);
  ASSERT_TRUE(runUntil(5));
  Actor* gust = findActor("gust.dat");
  ASSERT_NE(gust, nullptr);
  EXPECT_FALSE(gust->hFlip);  // drifting the way the bird faces
  ASSERT_TRUE(runUntil(1));
  ASSERT_TRUE(runUntil(0));
  EXPECT_EQ(bird->x, 120.0f);
  EXPECT_TRUE(bird->hFlip);
  ASSERT_TRUE(runUntil(1));
  ASSERT_TRUE(runUntil(0));
  EXPECT_EQ(bird->x, 680.0f);
  EXPECT_FALSE(bird->hFlip);
  ASSERT_TRUE(runUntil(1));
  ASSERT_TRUE(runUntil(0));
  EXPECT_EQ(bird->x, 120.0f);
  EXPECT_EQ(bird->hitPoints, 3);
}

TEST_F(BirdFight, ADiveOnTheFishInterruptsARunWhichThenGoesOnToTheSameSide) {
  lureDiveAt(5);
  EXPECT_FALSE(bird->moving);
  ASSERT_TRUE(runUntil(2, 0.3f));
  EXPECT_EQ(soundCount("seagull"), 1);
  ASSERT_TRUE(runUntil(4));
  EXPECT_EQ(bird->y, 6 * 80 + 40.0f);  // the lowest free tile of the column
  ASSERT_TRUE(runUntil(1));
  EXPECT_EQ(bird->y, 200.0f);
  ASSERT_TRUE(runUntil(0));
  EXPECT_EQ(bird->x, 120.0f);  // the run it was on
  EXPECT_EQ(bird->hitPoints, 3);  // the floor there is bare
}

TEST_F(BirdFight, OnlySpikesItClimbsBackFromHurtItAndBeatenItSendsTheChest) {
  spikeAt(200, 200);  // on its path, at its height
  for (int column : {5, 6, 4}) spikeAt(column * 80 + 40, 6 * 80 + 40);
  lureDiveAt(5);
  EXPECT_EQ(bird->hitPoints, 3);  // flying past spikes does not count
  ASSERT_TRUE(runUntil(4));
  step();
  EXPECT_EQ(bird->hitPoints, 2);
  EXPECT_EQ(app.hearts, 2);
  EXPECT_EQ(soundCount("bigseagull-hit"), 1);
  run(0.1f);
  EXPECT_EQ(bird->hitPoints, 2);  // once per climb, while it flashes

  lureDiveAt(4);
  ASSERT_TRUE(runUntil(1));
  lureDiveAt(6);
  ASSERT_TRUE(runUntil(4));
  step();
  EXPECT_EQ(bird->hitPoints, 0);
  EXPECT_EQ(app.hearts, 0);
  Treasure* chest = app.treasures.front();
  float startY = chest->y;
  run(1.1f);
  EXPECT_FALSE(bird->visible);
  EXPECT_GT(chest->y, startY);  // on its way to the fish
  run(3.0f);
  EXPECT_EQ(app.currentLevel, 40);  // collected, and with it the level
}
