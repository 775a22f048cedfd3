#pragma once
#include <list>
#include <string>
#include <utility>

#include "engine/input_map.h"
#include "engine/interpolator.h"
#include "engine/sprite.h"
#include "game/actors/actor.h"
#include "game/vector2.h"

// Gulpy, the fish the player steers: its flags, counters, gear and key
// bindings. One exists while a level (or the title, for the key menu) runs.
class Player : public Sprite, public InputMap {
 public:
  int bubbles = 0;          // shots left
  int coinsThisLevel = 0;
  unsigned char dead = 0;
  unsigned char airborne = 0;     // hop mode: in the air
  unsigned char hopMode = 0;      // out of the water: walk, fall, jump
  unsigned char rideExhaust = 0;  // the ride is the rocket
  int dashState = 0;              // plunger lunge: 0 idle, 1 out, 2 back
  unsigned char plungerArmed = 0;
  unsigned char danceMode = 0;
  int danceHomeX = 0, danceHomeY = 0;
  int rideSpeed = 600;       // px/s forward while riding
  int rideClimbSpeed = 400;  // px/s up and down while riding
  int swimSpeed = 200;       // px/s per axis
  Sprite shot;               // the one bubble in flight
  Sprite plunger;            // shown in the swordfish duel
  Actor ride;                // the rocket or the ray, hidden when on foot
  Vector2 velocity;          // hop mode, px/s
  std::list<std::pair<int, float>> powerups;  // (id, seconds left)
  float jumpHoldTimer = 0.0f;
  float exhaustTimer = 0.0f;
  Interpolator bobTween;  // drives bobOffset
  float bobOffset = 0.0f;
  unsigned char miniGameLock = 0;  // cannot be hurt
  unsigned char longShot = 0;
  unsigned char steerLock = 0;     // left and right ignored
  unsigned char danceFreeze = 0;   // dance moves ignored

  // Starts with the default bindings and bubbleLimit shots.
  explicit Player(int bubbleLimit);
  // Takes the shot, the plunger and the ride off the screen with the fish.
  ~Player() override;

  void onAction(const std::string& name, bool pressed) override;

  // One touch kills: belly up, input gone, and the level restarts in 2 s.
  void hurt();

  // The swordfish duel: shows the plunger beside the fish, facing right.
  void armPlunger();

  // Removes every binding and binds "up", "down", "left", "right" to the
  // arrows and "fire" to Space.
  void bindDefaultKeys();
  // Defaults, then the bindings saved at path; a missing file is created
  // from the defaults (and logged).
  void loadKeyConfig(const std::string& path);
};
