#pragma once
#include <string>

#include "engine/interpolator.h"
#include "engine/sprite.h"

// The kinds the level services look up, told by the actor's datafile.
enum class ActorKind : unsigned char { kOther, kCoin, kSentinel, kSpikes, kBigShark };

// Everything that lives in a level besides the fish: a sprite that can be
// trapped in a bubble for a while, shakes before it is let go, and plays
// sounds that fade with distance from the player. Concrete classes load
// their own datafile, whose name doubles as the actor's kind.
class Actor : public Sprite {
 public:
  unsigned char untrappable = 0;  // bubbles and the trap-all power-up pass by
  Sprite bubbleOverlay;           // drawn around the actor while trapped
  float trapRadius = 64.0f;       // a shot closer than this traps it
  unsigned char solid = 0;        // blocks the player and pushed blocks
  Interpolator shakeTween;        // drives shakeOffset
  float shakeOffset = 0.0f;       // pixels, copied into cameraOffsetX while trapped
  float trapTimer = 0.0f;         // seconds left in the bubble; 0 = free

  Actor();
  ~Actor() override = default;

  void draw(BITMAP* target) override;
  // Concrete classes call this first: pause, trap countdown, shake, burst.
  void step(float dt) override;

  // Called by addActor before the actor joins the level.
  virtual void onAdded() {}
  // Damage from an explosion or a cannonball.
  virtual void hit() {}
  // The bubble burst while the actor was visible.
  virtual void onBubblePop() {}

  // Traps the actor for seconds; trapping it again restarts the count.
  void trapInBubble(float seconds);
  // Plays a named effect, quieter and panned with distance from the player;
  // false when it was too far away to be heard.
  bool playSoundAt(const std::string& name);
  // Plays a named effect at full volume, centred, wherever it happens.
  static void playCentred(const std::string& name);
  // Opens the actor's art; its path ("dat/crab.dat") becomes the kind, even
  // when the file could not be read.
  void loadArt(const std::string& datafileName);
  // The datafile path the actor was made from, e.g. "dat/crab.dat".
  const std::string& kind() const { return kindName; }
  // The same kind as a code; kOther for datafiles no lookup asks for.
  ActorKind kindCode() const { return kindTag; }
  // The tile the actor's centre stands in.
  int tileX() const { return static_cast<int>(x * 0.0125f); }
  int tileY() const { return static_cast<int>(y * 0.0125f); }

 private:
  std::string kindName;
  ActorKind kindTag = ActorKind::kOther;

  void burst();
};
