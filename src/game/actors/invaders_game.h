#pragma once
#include "game/actors/mini_game.h"

// Level 1003: five rows of six creatures march in from the left, stepping
// right at every turn; the fish, stuck facing left, shoots them down before
// one gets past it.
class InvadersGame : public MiniGame {
 public:
  static const int kRows = 5, kPerRow = 6;
  struct Invader {
    Actor* actor = nullptr;  // owned by the level's state
    int hits = 0;            // bubbles still needed
  };
  enum March { kDown, kUp };
  Invader invaders[kRows][kPerRow];
  int invadersLeft = kRows * kPerRow;
  float marchSpeed = 100.0f;  // px/s
  March march = kDown;
  float shotTimer = 1.5f;  // s until the next ink blot

  InvadersGame();
  // Arms the fish with long shots and lines the invaders up.
  void onAdded() override;
  void step(float dt) override;

 private:
  void lineUp();
  bool anyMoving() const;
  void turn();
  void startLeg();
  void throwInk(float dt);
  void hitWithShot();
  void hitInvader(Invader& invader);
  void hideFaded();
  void checkLoss();
};
