#include "game/actors/crate.h"

#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/level_fixture.h"

namespace {

class CrateTest : public LevelFixture {};

// Stands in for the final boss: counts the blasts that reach it.
class BigShark : public Actor {
 public:
  int hits = 0;
  BigShark() { loadArt("sharkybig.dat"); }
  void hit() override { ++hits; }
};

}  // namespace

TEST_F(CrateTest, AnExplosionReachesOnlyWhatIsClose) {
  playLevel({
      "############",
      "#..........#",
      "#.x.X...X..#",
      "#..........#",
      "#P........C#",
      "############",
  }, 2);
  auto* plain = dynamic_cast<Crate*>(findActor("crate.dat"));
  auto* first = dynamic_cast<Crate*>(findActor("excrate.dat"));
  auto* second = dynamic_cast<Crate*>(app.actors[2]);
  ASSERT_TRUE(plain && first && second);
  ASSERT_TRUE(second->explosive);
  Player& player = *app.player;

  plain->hit();
  EXPECT_TRUE(plain->visible);
  EXPECT_EQ(soundCount("cannon"), 0);

  auto* nearShark = new BigShark;
  auto* farShark = new BigShark;
  app.addActor(nearShark);
  app.addActor(farShark);
  // 760 x 400 art: shrunk by 20 px its top right corner ends 360 px right
  // of and 180 px above its centre.
  int cx = static_cast<int>(first->x), cy = static_cast<int>(first->y);
  nearShark->setPosition(cx - 350, cy + 170);  // the corner 10 px inside the crate
  farShark->setPosition(cx - 410, cy + 170);   // the corner 30 px short of it
  player.setPosition(static_cast<int>(first->x) + 101, static_cast<int>(first->y));
  first->hit();
  EXPECT_FALSE(first->visible);
  EXPECT_EQ(soundCount("cannon"), 1);
  EXPECT_FALSE(player.dead);
  EXPECT_EQ(nearShark->hits, 1);
  EXPECT_EQ(farShark->hits, 0);

  player.setPosition(static_cast<int>(second->x) - 99, static_cast<int>(second->y));
  second->hit();
  EXPECT_TRUE(player.dead);
}
