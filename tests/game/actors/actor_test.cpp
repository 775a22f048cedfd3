// The bubble every actor can be trapped in, and sounds heard by distance.
#include "game/actors/actor.h"

#include "game/actors/player.h"
#include "game/level_fixture.h"

namespace {

class Critter : public Actor {
 public:
  int pops = 0;
  Critter() { loadArt("bubble.dat"); }
  void onBubblePop() override { pops += 1; }
};

class ActorTrap : public LevelFixture {
 protected:
  Critter* critter = nullptr;

  void SetUp() override {
    LevelFixture::SetUp();
    playLevel({"P.......", "........", ".......C"}, 2);
    critter = new Critter;
    app.addActorAtTile(critter, 6, 2, 0);
  }

  // Runs until the bubble bursts; true when some frame showed a shake.
  bool shookWithin(float seconds) {
    bool shook = false;
    for (float t = 0.0f; t < seconds; t += 0.02f) {
      step();
      shook = shook || critter->cameraOffsetX != 0;
    }
    return shook;
  }
};

}  // namespace

TEST_F(ActorTrap, ShakesInTheLastSecondOnlyAndPopsOnceAndOnlyWhenSeen) {
  auto* unseen = new Critter;
  unseen->visible = false;
  app.addActorAtTile(unseen, 5, 2, 0);
  critter->trapInBubble(5.0f);
  unseen->trapInBubble(5.0f);
  EXPECT_TRUE(critter->bubbleOverlay.visible);
  EXPECT_FALSE(shookWithin(3.9f));
  EXPECT_TRUE(shookWithin(1.2f));
  EXPECT_EQ(critter->trapTimer, 0.0f);
  EXPECT_FALSE(critter->bubbleOverlay.visible);
  run(5.0f);
  EXPECT_EQ(soundCount("pop"), 1);
  EXPECT_EQ(critter->pops, 1);
  EXPECT_EQ(unseen->pops, 0);
  EXPECT_EQ(critter->cameraOffsetX, 0);
}

TEST_F(ActorTrap, ReTrappingStopsTheShakeAndRestartsTheCount) {
  critter->trapInBubble(5.0f);
  run(4.5f);
  ASSERT_TRUE(critter->shakeTween.running);
  critter->trapInBubble(5.0f);
  step();
  EXPECT_EQ(critter->cameraOffsetX, 0);
  EXPECT_FALSE(shookWithin(3.9f));
  EXPECT_EQ(soundCount("pop"), 0);
}

TEST_F(ActorTrap, PausedActorsStandStill) {
  app.paused = 1;
  critter->playAnimation("spin", 0, 1, 1.0f, -1, false, 0.0f);
  run(0.5f);
  EXPECT_EQ(critter->frame, 0.0f);
  critter->trapInBubble(0.5f);  // would shake and pop if time ran
  run(2.0f);
  EXPECT_EQ(critter->trapTimer, 0.5f);
}

TEST_F(ActorTrap, SoundsFadeOutLinearlyTo800PixelsAndPanByTheSide) {
  sounds.clear();
  critter->setPosition(static_cast<int>(app.player->x), static_cast<int>(app.player->y));
  EXPECT_TRUE(critter->playSoundAt("pop"));
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_EQ(sounds[0].volume, 255);
  EXPECT_EQ(sounds[0].pan, 0);

  critter->x = app.player->x + 400.0f;
  EXPECT_TRUE(critter->playSoundAt("pop"));
  ASSERT_EQ(sounds.size(), 2u);
  EXPECT_EQ(sounds[1].volume, 191);  // (640000 - 160000) * 255 / 640000
  EXPECT_EQ(sounds[1].pan, 127);

  critter->x = app.player->x - 800.0f;
  EXPECT_FALSE(critter->playSoundAt("pop"));
  EXPECT_EQ(sounds.size(), 2u);
}
