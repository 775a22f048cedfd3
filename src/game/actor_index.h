#pragma once
#include <cstddef>
#include <vector>

class Actor;

// The few actors the level services look up, sorted out of the level's
// list once instead of on every query: sentinels, solid actors and coins.
// Queries still read each one's current tile and flags, so an actor that
// moved or hid since answers as it stands.
class ActorIndex {
 public:
  std::vector<Actor*> sentinels, solids, coins;

  // Sorts actors again when the list changed size or place, or after
  // invalidate; otherwise does nothing.
  void refresh(const std::vector<Actor*>& actors);
  // The next refresh sorts again: once a frame (a flag may have changed)
  // and whenever an actor joins or leaves.
  void invalidate() { fresh = false; }

 private:
  bool fresh = false;
  size_t count = 0;
  Actor* const* first = nullptr;
};
