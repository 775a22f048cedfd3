#pragma once
#include "engine/interpolator.h"
#include "game/actors/boss.h"

class Player;

// The boss of level 19: a duel in a corridor. It keeps its distance from
// the fish, thrusts its sword now and then, and is hurt only by the tip of
// the player's plunger during a lunge. Beaten, it flees up off the screen.
class Swordfish : public Boss {
 public:
  float attackTimer = 2.0f;  // seconds until the next thrust
  unsigned char canClash = 1;
  Interpolator bobTween;  // drives bobOffset
  float bobOffset = 0.0f;

  Swordfish();

 protected:
  void think(float dt) override;

 private:
  bool attacking() const;
  void keepDistance(const Player& player);
  // px clamped to the band 160 px inside either level edge.
  float inBand(float px) const;
  void startAttack();
  void thrust(Player& player, float gap);
  void takePlungerHit(Player& player);
  void flee();
};
