#pragma once
#include <list>
#include <string>
#include <utility>

#include "engine/input_map.h"
#include "engine/sprite.h"

// Gulpy, the fish the player steers. This is the start of the player: the
// flags, counters and key bindings that the game application and the
// heads-up display read. Swimming, shooting, hop mode, rides and power-up
// effects come with the in-game levels.
class Player : public Sprite, public InputMap {
 public:
  int bubbles = 0;
  int coinsThisLevel = 0;
  unsigned char dead = 0;
  unsigned char hopMode = 0;
  unsigned char rideExhaust = 0;
  // Timed power-ups: (id, seconds left).
  std::list<std::pair<int, float>> powerups;

  // Starts with the default bindings and bubbleLimit shots.
  explicit Player(int bubbleLimit);

  void onAction(const std::string& name, bool pressed) override;

  // Removes every binding and binds "up", "down", "left", "right" to the
  // arrows and "fire" to Space.
  void bindDefaultKeys();
  // Defaults, then the bindings saved at path; a missing file is created
  // from the defaults (and logged).
  void loadKeyConfig(const std::string& path);
};
