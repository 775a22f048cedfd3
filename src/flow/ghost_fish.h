#pragma once
#include <map>
#include <vector>

#include "engine/sprite.h"
#include "flow/run_file.h"

// The kept run's fish, swimming its recorded track by the level clock: a
// translucent picture only, never an actor, so it touches nothing. It waits
// at the start until the clock runs (after "Go!") and is gone once the run
// has ended.
class GhostFish : public Sprite {
 public:
  // track is not copied and must outlive the fish.
  explicit GhostFish(const std::vector<GhostSample>& track);
  ~GhostFish() override;
  GhostFish(const GhostFish&) = delete;
  GhostFish& operator=(const GhostFish&) = delete;

  void step(float dt) override;
  void draw(BITMAP* target) override;
  // Moves the fish to where the run had it at level time t; once a pass,
  // after the level's update.
  void follow(float t);

 private:
  const std::vector<GhostSample>& track;
  size_t at = 0;  // the last sample at or before the time followed
  bool hopping = false, sheetChosen = false;
  std::map<BITMAP*, BITMAP*> mirrored;  // a frame -> the frame facing right
  BITMAP* facingPicture(int index);
};
