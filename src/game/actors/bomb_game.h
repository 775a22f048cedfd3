#pragma once
#include <vector>

#include "game/actors/mini_game.h"

class TextLabel;

// Level 1001: a lit bomb turns up at five places in turn; the fish must
// trap each in a bubble before its countdown runs out.
class BombGame : public MiniGame {
 public:
  struct Place {
    int tileX, tileY;
  };
  std::vector<Place> places;
  int currentPlace = -1;
  float countdown = 0.0f;  // s until the bomb goes off
  unsigned char disarmed = 0;  // fading out after a trap
  unsigned char done = 0;      // every place cleared
  TextLabel* countdownText = nullptr;  // owned by the level's state
  TextLabel* pointerText = nullptr;    // "Over Here!", likewise

  BombGame();
  // Puts the bomb at its first place and sets out the two texts.
  void onAdded() override;
  void step(float dt) override;

 private:
  void advance();
  void tick(float dt);
  void pointAtBomb();
  void explode();
  void disarm();
};
