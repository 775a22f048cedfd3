#pragma once
#include "game/actors/boss.h"

class Player;

// The boss of level 39, a great gull over a land level. It waits, drops a
// gust, flies across to one side, and so on, alternating sides; when the
// fish is below it, it stops and dives to the floor. Only spikes hurt it,
// as it climbs back from a dive onto them. Beaten, it fades away and the
// level's first treasure flies to the fish.
class BigBossBird : public Boss {
 public:
  // 0 wait, 5 drop a gust, 1 fly across, 3 stop, 2 dive, 4 climb back.
  int state = 0;
  float stateTimer = 0.0f;      // seconds left in states 0, 5 and 3
  unsigned char fromRight = 0;  // which side's run comes next (see enterFlyAcross)
  int diveStartY = 0;           // the height it climbs back to

  BigBossBird();

  // Puts it at (740, 200), waiting, the first run to the left, and has
  // the camera keep its flight height in sight.
  void onAdded() override;

 protected:
  void think(float dt) override;

 private:
  bool returning = false;  // climbed back from a dive: the run goes on

  void enterState(int next);
  void enterWait();
  void dropGust();
  void enterFlyAcross();
  void enterDive();
  void enterClimb();
  void advance(float dt);
  // The living fish is in the bird's column, above the first solid tile.
  bool seesPlayerBelow(const Player& player) const;
  // The lowest free tile under the bird, as a y in level pixels.
  float floorBelow() const;
  void touch(Player& player);
  void checkSpikes();
  void sendTreasure(const Player& player);
  int flightSpeed() const;
};
