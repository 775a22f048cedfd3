#pragma once
#include <vector>

#include "game/actors/boss.h"
#include "game/vector2.h"

class Player;

// The boss of level 9. It swims round three waypoints and throws an ink
// blot at the fish at each. Only its own blots hurt it: trapped in a bubble
// and left under it. Beaten, it lowers the wall column at x 8, rows 6-9,
// one tile at a time.
class Squid : public Boss {
 public:
  int speed = 150;  // px/s
  std::vector<Vector2> waypoints{{0.0f, 400.0f}, {400.0f, 800.0f}, {800.0f, 0.0f}};
  int waypointIndex = 0;   // the next one to head for
  float pauseTimer = 1.0f; // seconds before it swims on

  Squid();

 protected:
  void think(float dt) override;

 private:
  void swim(float dt);
  void arrive();
  void throwInk(const Player& player);
  void touch(Player& player);
  void absorbTrappedInk();
  void openExit(float dt);
};
