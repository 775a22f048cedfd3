#pragma once
#include "engine/drawable.h"
#include "game/actors/boss.h"

class Player;

// The final boss of level 49. It patrols the right of its lair and lunges,
// jaws first, at a fish that swims past x 400; whatever solid it catches in
// its mouth it swallows, and crates sit badly: four seconds later it shakes
// and loses a hit point per crate. An explosive crate going off beside it
// hurts it too. Beaten, it sinks and the wall tile at (8, 5) opens.
class BigShark : public Boss {
 public:
  unsigned char mouthOpen = 0;
  unsigned char lunging = 0;
  unsigned char digesting = 0;
  int swallowed = 0;         // crates in its belly
  float digestTimer = 0.0f;  // seconds until they hurt

  BigShark();

  // An explosive crate went off next to it.
  void hit() override;

 protected:
  void think(float dt) override;

 private:
  // The open jaws, in level pixels.
  BoundingBox mouth() const;
  void bite(Player& player);
  void digest(float dt);
  void lungeAt(const Player& player);
  void finishLunge();
  void closeMouthOnArrival();
  void patrol();
  void shake(int repeats);
  void sink();
};
