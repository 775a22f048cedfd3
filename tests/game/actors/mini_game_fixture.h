#pragma once
// Plays the game's own mini-game levels and follows a win through its
// payout to the end of the level.
#include "game/actors/actor.h"
#include "game/level_fixture.h"

class MiniGameFixture : public LevelFixture {
 protected:
  // Enters a mini-game level as the game ships it.
  void playMiniGame(int level) {
    useGameLevels();
    enterLevel(level);
  }

  // The level's controller of that class, or null.
  template <class Controller>
  Controller* controller() const {
    for (Actor* actor : app.actors)
      if (auto* found = dynamic_cast<Controller*>(actor)) return found;
    return nullptr;
  }

  // Runs the won level until the game is back at the title; the coins the
  // payout banked, or -1 if the level never ended.
  int coinsBankedByPayout(float limitS = 20.0f) {
    int before = app.coins;
    int beaten = app.levelsBeaten;
    for (float t = 0.0f; t < limitS && top() == "inGame"; t += 0.02f) step();
    EXPECT_EQ(app.levelsBeaten, beaten) << "a mini-game is no story level";
    return top() == "title" ? app.coins - before : -1;
  }
};
