// The level cells of the creatures and their variants, through the loader.
#include "game/actor_factory.h"

#include "flow/game_app.h"
#include "game/actors/clam.h"
#include "game/actors/crate.h"
#include "game/actors/spikes.h"
#include "game/level_fixture.h"
#include "game/treasure.h"

namespace {

class ActorFactoryTest : public LevelFixture {
 protected:
  Actor* at(int tx, int ty) const {
    for (Actor* actor : app.actors)
      if (actor->tileX() == tx && actor->tileY() == ty) return actor;
    return nullptr;
  }
  std::string kindAt(int tx, int ty) const {
    Actor* actor = at(tx, ty);
    return actor ? actor->kind() : "";
  }
};

}  // namespace

TEST_F(ActorFactoryTest, EveryCreatureCellMakesItsCreatureWithItsVariant) {
  playLevel({
      "##############",
      "#caejQpzDs..C#",
      "#^vxX<>K.....#",
      "#P.........m.#",
      "#............#",
      "##############",
  }, 2);
  const char* const firstRow[] = {"crab",       "angler",     "eel",     "jellyfish", "clam",
                                  "piratefish", "sleepyfish", "dolphin", "seagull"};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(kindAt(i + 1, 1), std::string("dat/") + firstRow[i] + ".dat") << i;
  EXPECT_EQ(kindAt(11, 4), "dat/mrpuffer.dat");  // placed 40 px down, on its floor
  EXPECT_EQ(findActor("mrpuffer.dat")->y, 3 * 80 + 40 + 40);

  EXPECT_EQ(kindAt(1, 2), "dat/spikes.dat");
  EXPECT_FALSE(at(1, 2)->vFlip);
  EXPECT_EQ(at(1, 2)->cameraOffsetY, 10);
  EXPECT_TRUE(at(2, 2)->vFlip);
  EXPECT_EQ(at(2, 2)->cameraOffsetY, -10);
  EXPECT_FALSE(dynamic_cast<Crate*>(at(3, 2))->explosive);
  EXPECT_EQ(kindAt(4, 2), "dat/excrate.dat");
  EXPECT_TRUE(dynamic_cast<Crate*>(at(4, 2))->explosive);
  EXPECT_TRUE(at(4, 2)->solid);
  EXPECT_TRUE(at(5, 2)->hFlip);  // "<" watches to the left
  EXPECT_FALSE(at(6, 2)->hFlip);
  EXPECT_EQ(kindAt(7, 2), "dat/cannon.dat");
}

TEST_F(ActorFactoryTest, TheClamShowsItsPearlOnlyWhileOpen) {
  playLevel({"#####", "#.Q.#", "#P.C#", "#####"}, 2);
  auto* clam = dynamic_cast<Clam*>(findActor("clam.dat"));
  ASSERT_NE(clam, nullptr);
  ASSERT_NE(clam->pearl, nullptr);
  Treasure& pearl = *clam->pearl;
  EXPECT_EQ(pearl.kind(), 4);
  EXPECT_EQ(pearl.x, clam->x - 10);
  EXPECT_EQ(pearl.y, clam->y + 35);
  EXPECT_EQ(pearl.alpha, 0.0f);  // shut at the start
  run(2.2f);
  EXPECT_TRUE(clam->isOpen);
  EXPECT_EQ(pearl.alpha, 255.0f);
  EXPECT_LT(clam->sortKey(), pearl.sortKey());
  run(2.4f);
  EXPECT_FALSE(clam->isOpen);
  EXPECT_EQ(pearl.alpha, 0.0f);
  EXPECT_GT(clam->sortKey(), pearl.sortKey());
}
