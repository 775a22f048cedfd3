// The squid: its round of waypoints and ink, its reach, the trapped ink
// that alone hurts it, and the exit it lowers when beaten.
#include <allegro.h>

#include "engine/tile_map.h"
#include "game/actors/ink_blot.h"
#include "game/actors/player.h"
#include "game/actors/squid.h"
#include "game/level_fixture.h"

namespace {

// The squid starts at tile (7, 5); the exit column is x 8, rows 6-9.
const std::vector<std::string> kCave = {
    "..............", "..............", "..P...........", "..............",
    "..............", "........######", "........#....#", "........#....#",
    "........#..C.#", "........#....#", "........#....#", "##############",
};

class SquidFight : public LevelFixture {
 protected:
  Squid* squid = nullptr;

  void SetUp() override {
    LevelFixture::SetUp();
    playLevel(kCave, 9);
    squid = static_cast<Squid*>(findActor("squid.dat"));
    ASSERT_NE(squid, nullptr);
    app.paused = 0;  // past the ready-go banner
    app.pauseCountdown = 0.0f;
  }

  // A blot of the squid's lying dx, dy from the point under it, trapped or not.
  InkBlot* blotUnder(float dx, float dy, bool trapped) {
    auto* blot = new InkBlot(0.0f, 0.0f);
    app.addActor(blot);
    blot->setPosition(static_cast<int>(squid->x + dx), static_cast<int>(squid->y + 64 + dy));
    if (trapped) blot->trapInBubble(5.0f);
    return blot;
  }

  int blots() {
    int count = 0;
    for (Actor* actor : app.actors) count += actor->kind() == "dat/inkblot.dat";
    return count;
  }
};

}  // namespace

TEST_F(SquidFight, SwimsRoundItsWaypointsThrowingInkAtEachStop) {
  app.player->miniGameLock = 1;  // the ink may fly where it likes
  EXPECT_EQ(squid->x, 7 * 80 + 40);
  EXPECT_EQ(squid->y, 5 * 80 + 40);
  run(1.0f + 4.1f);  // the first pause, then 600 px left at 150 px/s
  EXPECT_EQ(squid->x, 0.0f);
  EXPECT_EQ(squid->y, 400.0f);
  EXPECT_EQ(soundCount("squidshoot"), 1);
  EXPECT_EQ(blots(), 1);
  run(0.5f + 2.7f);  // the throwing pause, then 400 px on each axis
  EXPECT_EQ(squid->x, 400.0f);
  EXPECT_EQ(squid->y, 800.0f);
  EXPECT_EQ(soundCount("squidshoot"), 2);
  run(0.5f + 5.4f);
  EXPECT_EQ(squid->x, 800.0f);
  EXPECT_EQ(squid->y, 0.0f);
  EXPECT_EQ(soundCount("squidshoot"), 3);
  EXPECT_EQ(squid->waypointIndex, 0);  // round again
  EXPECT_EQ(squid->hitPoints, 3);
}

TEST_F(SquidFight, ItsArmsReachFartherBelowItThanAbove) {
  squid->pauseTimer = 100.0f;
  app.player->setPosition(static_cast<int>(squid->x) + 100, static_cast<int>(squid->y) - 20);
  step();
  EXPECT_FALSE(app.player->dead);  // 100 px off, above its middle
  app.player->setPosition(static_cast<int>(squid->x) + 100, static_cast<int>(squid->y) + 60);
  step();
  EXPECT_TRUE(app.player->dead);  // as far off, but in its arms
}

TEST_F(SquidFight, OnlyItsOwnInkTrappedUnderItHurtsIt) {
  app.player->miniGameLock = 1;
  squid->pauseTimer = 100.0f;
  step();
  EXPECT_EQ(app.maxHearts, 3);
  InkBlot* loose = blotUnder(0, 20, false);
  InkBlot* far = blotUnder(130, 0, true);
  step();
  EXPECT_EQ(squid->hitPoints, 3);
  EXPECT_TRUE(loose->visible);
  EXPECT_TRUE(far->visible);

  InkBlot* caught = blotUnder(-90, 80, true);
  InkBlot* second = blotUnder(0, 0, true);
  step();
  EXPECT_EQ(squid->hitPoints, 2);
  EXPECT_EQ(app.hearts, 2);
  EXPECT_FALSE(caught->visible);
  EXPECT_TRUE(second->visible);  // not while it flashes
  run(0.5f);
  EXPECT_EQ(squid->hitPoints, 1);
  EXPECT_FALSE(second->visible);
}

TEST_F(SquidFight, BeatenItFadesAndLowersTheExitOneTileEvery0Point7Seconds) {
  app.player->miniGameLock = 1;
  squid->pauseTimer = 100.0f;
  for (int blot = 0; blot < 3; ++blot) {
    blotUnder(0, 0, true);
    run(0.5f);
  }
  ASSERT_EQ(squid->hitPoints, 0);
  EXPECT_EQ(app.hearts, 0);
  int before[5];
  for (int row = 6; row <= 10; ++row) before[row - 6] = app.tileMap->cellAt(8, row);
  EXPECT_EQ(before[0], 4);

  // The last blot went in at the first of these 25 steps.
  const int opened[4][5] = {
      {-1, 4, 5, 5, 6}, {-1, -1, 4, 5, 6}, {-1, -1, -1, 4, 6}, {-1, -1, -1, -1, 0}};
  float sinceDefeat = 0.5f - 0.02f;
  for (int stage = 0; stage < 4; ++stage) {
    float due = 0.7f * (stage + 1);
    run(due - 0.05f - sinceDefeat);
    EXPECT_EQ(squid->openStep, stage) << stage;
    run(0.1f);
    sinceDefeat = due + 0.05f;
    for (int row = 6; row <= 10; ++row) EXPECT_EQ(app.tileMap->cellAt(8, row), opened[stage][row - 6]) << stage;
  }
  EXPECT_FALSE(squid->visible);
  int blotsBefore = blots();
  run(3.0f);
  EXPECT_EQ(blots(), blotsBefore);  // no more ink
}
