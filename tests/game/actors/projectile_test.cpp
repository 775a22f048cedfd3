// The refill station and the hostile projectiles: their flight, their life
// and whom they hurt.
#include <algorithm>

#include "game/actors/cannonball.h"
#include "game/actors/gust.h"
#include "game/actors/ink_blot.h"
#include "game/actors/leviathan_shot.h"
#include "game/actors/player.h"
#include "game/actors/refill_station.h"
#include "game/level_fixture.h"

namespace {

class Crate : public Actor {
 public:
  int hits = 0;
  Crate() {
    loadArt("bubble.dat");
    solid = 1;
  }
  void hit() override { hits += 1; }
};

// Row 1 is open from wall to wall; the fish starts at (120, 200).
const std::vector<std::string> kHall = {
    "##########",
    "#........#",
    "#P.......#",
    "#......C.#",
    "##########",
};

class Projectile : public LevelFixture {
 protected:
  Player& fish() { return *app.player; }

  // Owned by the level like every actor; addActor also runs onAdded.
  template <typename T>
  T* place(T* actor, int x, int y) {
    actor->setPosition(x, y);
    app.addActor(actor);
    return actor;
  }

  // A ball and its smoke, owned by the level but on no layer until fired.
  Cannonball* loadCannon(Sprite*& smoke) {
    auto* ball = new Cannonball;
    smoke = new Sprite;
    app.addSprite(ball, -1);
    app.addSprite(smoke, -1);
    return ball;
  }
};

}  // namespace

TEST_F(Projectile, ARefillStationTopsUpOnlyAStockBelowTheLimit) {
  playLevel({"######", "#PR.C#", "######"}, 2);
  Actor* station = findActor("bubble.dat");
  ASSERT_NE(station, nullptr);
  EXPECT_TRUE(station->untrappable);
  fish().bubbles = app.bubbleLimit;
  fish().setPosition(170, 120);
  step();
  EXPECT_EQ(soundCount("refill"), 0);  // already full
  fish().bubbles = 1;
  fish().setPosition(100, 120);
  step();
  EXPECT_EQ(fish().bubbles, 1);  // 100 px away
  fish().setPosition(170, 120);
  run(0.5f);
  EXPECT_EQ(fish().bubbles, app.bubbleLimit);
  EXPECT_EQ(soundCount("refill"), 1);
  run(0.6f);
  EXPECT_GT(static_cast<RefillStation*>(station)->emitter.particleCount(), 0);
}

TEST_F(Projectile, ACannonballFliesToTheWallAndHangsInABubbleOnTheWay) {
  playLevel(kHall, 2);
  Sprite* smoke = nullptr;
  Cannonball* ball = loadCannon(smoke);
  ball->fire(600.0f, 120.0f, *smoke);
  EXPECT_TRUE(ball->inPlay());
  EXPECT_EQ(app.actors.back(), ball);
  EXPECT_EQ(ball->x, 565.0f);
  run(0.5f);
  float caughtAt = ball->x;
  EXPECT_NEAR(caughtAt, 365.0f, 1.0f);
  ball->trapInBubble(5.0f);
  run(4.9f);
  EXPECT_EQ(ball->x, caughtAt);
  EXPECT_TRUE(ball->inPlay());
  run(1.0f);
  EXPECT_LT(ball->x, caughtAt);  // free again, it completes its flight
  run(1.0f);
  EXPECT_EQ(ball->x, 61.0f);  // at the face of the wall in column 0
  EXPECT_FALSE(ball->inPlay());
  EXPECT_EQ(std::count(app.actors.begin(), app.actors.end(), ball), 0);
  EXPECT_FALSE(fish().dead);  // it passed 62 px above the fish
}

TEST_F(Projectile, ACannonballKnocksTheFirstSolidActorElseHurtsThePlayer) {
  playLevel(kHall, 2);
  fish().setPosition(200, 130);
  Crate* crate = place(new Crate, 360, 120);
  Sprite* smoke = nullptr;
  Cannonball* ball = loadCannon(smoke);
  ball->fire(600.0f, 120.0f, *smoke);
  run(1.0f);
  EXPECT_EQ(crate->hits, 1);
  EXPECT_FALSE(ball->inPlay());
  EXPECT_FALSE(fish().dead);

  crate->visible = false;
  ball->fire(600.0f, 120.0f, *smoke);
  run(1.5f);
  EXPECT_TRUE(fish().dead);
}

TEST_F(Projectile, AnInkBlotKeepsItsCourseForThreeSeconds) {
  playLevel(kHall, 2);
  auto* blot = place(new InkBlot(400.0f, 120.0f), 600, 120);
  blot->aim();
  EXPECT_EQ(blot->x, 520.0f);
  run(2.5f);
  EXPECT_NEAR(blot->x, 520.0f - 750.0f, 1.0f);  // far past its aim point
  EXPECT_EQ(blot->y, 120.0f);
  EXPECT_TRUE(blot->visible);
  run(0.6f);
  EXPECT_FALSE(blot->visible);
  EXPECT_FALSE(fish().dead);

  auto* thrown = place(new InkBlot(fish().x, fish().y), 400, 200);
  thrown->aim();
  run(1.0f);
  EXPECT_TRUE(fish().dead);
}

TEST_F(Projectile, ALeviathanShotHomesInUntilABubbleSoaksItUp) {
  playLevel(kHall, 2);
  auto* orb = place(new LeviathanShot(100), 300, 200);
  EXPECT_TRUE(orb->untrappable);
  hold(KEY_SPACE);
  run(0.3f);
  ASSERT_TRUE(fish().shot.visible);
  EXPECT_NEAR(orb->x, fish().shot.x, 12.0f);  // on the bubble, a frame behind it
  float onBubble = orb->x;
  step();
  EXPECT_GT(orb->x, onBubble);  // carried away from the fish
  EXPECT_FALSE(fish().dead);
  letGo(KEY_SPACE);
  run(0.3f);
  ASSERT_FALSE(fish().shot.visible);
  float afterBubble = orb->x;
  run(0.5f);
  EXPECT_LT(orb->x, afterBubble);  // homing back in on the fish
  run(3.0f);
  EXPECT_TRUE(fish().dead);
}

TEST_F(Projectile, ALeviathanShotFadesAwayAfterFiveSeconds) {
  playLevel(kHall, 2);
  auto* orb = place(new LeviathanShot(0), 600, 120);
  run(4.9f);
  EXPECT_TRUE(orb->visible);
  run(0.4f);
  EXPECT_FALSE(orb->visible);
}

TEST_F(Projectile, AGustFallsAtASlantTheWayTheBirdFacedAndHurts) {
  playLevel(kHall, 2);
  auto* rightward = place(new Gust(100), 400, 0);
  rightward->hFlip = true;
  auto* leftward = place(new Gust(100), 400, 0);
  run(1.0f);
  EXPECT_NEAR(rightward->x, 500.0f, 0.5f);
  EXPECT_NEAR(rightward->y, 100.0f, 0.5f);
  EXPECT_NEAR(leftward->x, 300.0f, 0.5f);
  EXPECT_FALSE(fish().dead);
  place(new Gust(100), 120, 150);
  run(0.5f);
  EXPECT_TRUE(fish().dead);
}
