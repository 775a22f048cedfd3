#pragma once
#include <functional>
#include <list>
#include <string>
#include <utility>

#include "engine/input_map.h"
#include "engine/interpolator.h"
#include "engine/sprite.h"
#include "game/actors/actor.h"
#include "game/vector2.h"

// Power-up ids: the shop's item index, the icon frame in "powerups.dat" and
// the id kept in Player::powerups for the timed ones (0, 2, 4).
enum PowerupId {
  kPowerupInfinite = 0,
  kPowerupSpecial = 1,
  kPowerupSpeedBoost = 2,
  kPowerupUpgrade = 3,
  kPowerupSlowMotion = 4,
};

// Gulpy, the fish the player steers: swims, hops on land, rides, shoots
// one bubble at a time, collects coins and treasure and dies at one touch.
// One exists while a level (or the title, for the key menu) runs.
// The key a new profile has for a fish action ("up", "fire", ...), or 0.
int defaultKeyOf(const std::string& action);

class Player : public Sprite, public InputMap {
 public:
  int bubbles = 0;          // shots left
  int coinsThisLevel = 0;
  unsigned char dead = 0;
  unsigned char airborne = 0;     // hop mode: in the air
  unsigned char hopMode = 0;      // out of the water: walk, fall, jump
  unsigned char rideExhaust = 0;  // the ride is the rocket
  int dashState = 0;              // plunger lunge: 0 idle, 1 out, 2 back
  unsigned char plungerArmed = 0;  // this lunge can still score a hit
  unsigned char danceMode = 0;
  int danceHomeX = 0, danceHomeY = 0;
  int rideSpeed = 600;       // px/s forward while riding
  int rideClimbSpeed = 400;  // px/s up and down while riding
  int swimSpeed = 200;       // px/s per axis
  Sprite shot;               // the one bubble in flight
  Sprite plunger;            // shown in the swordfish duel
  Actor ride;                // the rocket or the ray, hidden when on foot
  Vector2 velocity;          // hop mode, px/s
  std::list<std::pair<int, float>> powerups;  // (id, seconds left, real time)
  float jumpHoldTimer = 0.0f;  // s; hop mode: how long holding up still lifts
  float exhaustTimer = 0.0f;   // s since the last rocket exhaust puff
  Interpolator bobTween;  // drives bobOffset
  float bobOffset = 0.0f;
  unsigned char miniGameLock = 0;  // cannot be hurt
  unsigned char longShot = 0;      // shots fly faster and live longer
  unsigned char steerLock = 0;     // left and right ignored
  unsigned char danceFreeze = 0;   // dance moves ignored
  // Told the direction (0 left, 1 right, 2 up, 3 down) of every dance
  // step; set by the dance game.
  std::function<void(int direction)> danceJudge;

  // Starts with the default bindings and bubbleLimit shots.
  explicit Player(int bubbleLimit);
  // Takes the shot, the plunger and the ride off the screen with the fish.
  ~Player() override;

  void onAction(const std::string& name, bool pressed) override;
  // Once per frame through the screen: power-ups, the shot, pickups, then
  // swimming, hopping or riding.
  void step(float dt) override;

  // One touch kills: belly up, input gone, and the level restarts in 2 s.
  void hurt();

  // Appends a power-up running for seconds of real time; SLOW MOTION also
  // halves the game's time and slows the music.
  void addPowerup(int id, float seconds);
  bool hasPowerup(int id) const;
  void setSwimSpeed(int pxPerS) { swimSpeed = pxPerS; }
  // Out of the water: walk, fall and jump with the hopping frames.
  void enterHopMode(bool on);
  // Rides that carry the fish forward; shown behind it on layer 1.
  void mountRocket();
  void mountRay();
  bool riding() const { return ride.visible; }
  // The swordfish duel: shows the plunger beside the fish, facing right.
  void armPlunger();
  // Hides the shot and takes it off the screen (a catch, or it faded).
  void endShot();

  // Removes every binding and binds "up", "down", "left", "right" to the
  // arrows and "fire" to Space.
  void bindDefaultKeys();
  // Defaults, then the bindings saved at path; a missing file is created
  // from the defaults (and logged).
  void loadKeyConfig(const std::string& path);

 private:
  // Defaults for the actions a key file left without a key.
  void keepUsableBindings();
  void mount(const std::string& art);
  void fire();
  void launchShot();
  void danceStep(int direction);
  void jump();

  void tickPowerups(float dt);
  void updateShot();
  void collectTreasure();
  void collectCoins();

  void moveOnRide(float dt);
  void swim(float dt, float factor);
  void stopOnFrameZero();
  void keepOutOfWalls(float oldX, float oldY);
  void pushBlocks(float oldX, float oldY);
  void pushBlock(int index, float oldX, float oldY);
  void hop(float dt, float factor);
  void landOnWalls(float oldX, float oldY);
  void updatePlunger();
};
