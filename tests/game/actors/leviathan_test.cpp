// The leviathan: its deadly corner, its volleys and their speeds, the
// returned shots that alone hurt it, and the exit below its corner.
#include <allegro.h>

#include "engine/tile_map.h"
#include "game/actors/leviathan.h"
#include "game/actors/leviathan_shot.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"
#include "game/vector2.h"

namespace {

// The leviathan at tile (2, 3), so its position is (200, 280) and its head
// reach is centred on (200, 80); the exit is (3, 6) and (3, 7).
const std::vector<std::string> kLair = {
    "################", "#..............#", "#..............#", "#.L............#", "#..............#",
    "####...........#", "#C.#...........#", "#..#......P....#", "################",
};

// Something of the level's that is not a shot, and that bubbles pass by.
class Flotsam : public Actor {
 public:
  Flotsam() { untrappable = 1; }
};

class LeviathanFight : public LevelFixture {
 protected:
  Leviathan* leviathan = nullptr;

  void SetUp() override {
    LevelFixture::SetUp();
    playLevel(kLair, 29);
    leviathan = static_cast<Leviathan*>(findActor("leviathan.dat"));
    ASSERT_NE(leviathan, nullptr);
    app.paused = 0;  // past the ready-go banner
    app.pauseCountdown = 0.0f;
    app.player->miniGameLock = 1;  // shots may fly where they like
  }

  std::vector<LeviathanShot*> shots() {
    std::vector<LeviathanShot*> found;
    for (Actor* actor : app.actors)
      if (actor->kind() == "dat/levshot.dat") found.push_back(static_cast<LeviathanShot*>(actor));
    return found;
  }

  Flotsam* flotsamAt(int x, int y) {
    auto* thing = new Flotsam;
    app.addActor(thing);
    thing->setPosition(x, y);
    return thing;
  }
};

}  // namespace

TEST_F(LeviathanFight, FiresThreeShotsAHalfSecondApartThenRestsSixSeconds) {
  EXPECT_EQ(leviathan->x, 200.0f);
  EXPECT_EQ(leviathan->y, 280.0f);
  run(3.06f);
  EXPECT_TRUE(shots().empty());
  run(0.1f);  // the first shot 3.1 s in
  ASSERT_EQ(shots().size(), 1u);
  EXPECT_EQ(shots()[0]->speed, 220 - 10 * 12);
  EXPECT_EQ(soundCount("levlaser"), 1);
  EXPECT_EQ(leviathan->currentAnimation, "break");
  run(1.0f);
  EXPECT_EQ(shots().size(), 3u);
  run(5.9f);
  EXPECT_EQ(shots().size(), 3u);  // resting
  run(0.3f);
  EXPECT_EQ(shots().size(), 4u);  // 6 s rest, then 0.1 s to the next volley
  EXPECT_EQ(leviathan->hitPoints, 12);
}

TEST_F(LeviathanFight, ItsShotsQuickenAsItWeakens) {
  leviathan->restTimer = 0.0f;
  leviathan->hitPoints = 1;
  for (int i = 0; i < 10 && shots().empty(); ++i) step();
  ASSERT_EQ(shots().size(), 1u);
  EXPECT_EQ(shots()[0]->speed, 210);
  // Fired from its position, just outside its head's reach; it may have
  // made its first homing step already.
  float oneStep = 210 * 0.02f;
  EXPECT_LE(squaredDistance(shots()[0]->x, shots()[0]->y, leviathan->x, leviathan->y), oneStep * oneStep + 0.1f);
  step();
  EXPECT_EQ(leviathan->hitPoints, 1);
}

TEST_F(LeviathanFight, WhatReachesItsHeadHurtsItAsAShotCarriedInABubbleDoes) {
  leviathan->restTimer = 100.0f;
  auto* fresh = new LeviathanShot(100);  // its own shot, never carried back
  app.addActor(fresh);
  fresh->setPosition(200 + 150, 80 + 120);
  fresh->lifeTimer = 100.0f;
  Flotsam* outside = flotsamAt(200 + 160, 80 + 121);  // 201 px from its head
  Flotsam* first = flotsamAt(200 + 150, 80 + 120);
  Flotsam* second = flotsamAt(120, 40);
  step();
  EXPECT_TRUE(fresh->visible);
  fresh->visible = false;
  EXPECT_TRUE(outside->visible);
  EXPECT_FALSE(first->visible);
  EXPECT_FALSE(second->visible);
  EXPECT_EQ(leviathan->hitPoints, 10);
  EXPECT_EQ(app.maxHearts, 12);
  EXPECT_EQ(app.hearts, 10);
  EXPECT_TRUE(leviathan->alphaInterp.running);  // flashing

  app.player->setPosition(520, 200);
  app.player->hFlip = false;  // facing the leviathan
  app.player->bubbles = 1;
  auto* shot = new LeviathanShot(100);
  app.addActor(shot);
  shot->setPosition(480, 200);
  hold(KEY_SPACE);
  step();
  letGo(KEY_SPACE);
  run(0.4f);
  EXPECT_FALSE(shot->visible);
  EXPECT_EQ(leviathan->hitPoints, 9);
  EXPECT_EQ(soundCount("levow"), 3);
}

TEST_F(LeviathanFight, ItsCornerIsDeathUntilItIsBeatenAndColumnThreeOpens) {
  leviathan->restTimer = 100.0f;
  app.player->miniGameLock = 0;
  app.player->setPosition(330, 100);
  step();
  EXPECT_FALSE(app.player->dead);
  app.player->setPosition(300, 390);
  step();
  EXPECT_TRUE(app.player->dead);

  enterLevel(29);  // the restart, at once
  app.restartTimer = 0.0f;
  leviathan = static_cast<Leviathan*>(findActor("leviathan.dat"));
  app.paused = 0;
  app.pauseCountdown = 0.0f;
  app.player->miniGameLock = 1;
  leviathan->restTimer = 100.0f;
  leviathan->hitPoints = 1;
  flotsamAt(200, 100);
  step();
  EXPECT_EQ(leviathan->hitPoints, 0);
  EXPECT_EQ(soundCount("levdie"), 1);
  EXPECT_NE(app.tileMap->cellAt(3, 6), -1);
  run(0.65f);
  EXPECT_NE(app.tileMap->cellAt(3, 6), -1);
  run(0.1f);
  EXPECT_EQ(app.tileMap->cellAt(3, 6), -1);
  EXPECT_NE(app.tileMap->cellAt(3, 7), -1);
  run(0.7f);
  EXPECT_EQ(app.tileMap->cellAt(3, 7), -1);
  EXPECT_FALSE(leviathan->visible);  // faded out in its first second
  EXPECT_EQ(app.hearts, 0);
  app.player->miniGameLock = 0;
  app.player->setPosition(300, 390);  // its corner is safe water now
  step();
  EXPECT_FALSE(app.player->dead);
}
