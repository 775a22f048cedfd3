#pragma once
#include "game/actors/boss.h"

class Player;

// The boss of level 29, a sea serpent's head rising out of the top-left
// corner of its lair. It fires volleys of three homing shots, faster as it
// weakens, then rests. Anything that comes back to its head (its own
// shots, carried in the player's bubble) hurts it. Beaten, it opens the
// wall tiles (3, 6) and (3, 7) below its corner.
class Leviathan : public Boss {
 public:
  float restTimer = 3.0f;  // seconds until the next volley; 0 while firing
  float shotTimer = 0.0f;  // seconds until the next shot of a volley
  int shotsFired = 0;      // in this volley

  Leviathan();

 protected:
  void think(float dt) override;

 private:
  void guardCorner(Player& player);
  void takeReturnedShots();
  void fireVolleys(float dt);
  void fire();
  void openExit(float dt);
};
