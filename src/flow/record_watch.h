#pragma once
#include <map>
#include <memory>
#include <string>

#include "engine/pass_driver.h"
#include "flow/run_file.h"

class GameApp;
class ScratchFolder;

// Plays a kept run in the game's window, with sound: the run's keys reach
// the game as the keyboard would report them, pass by pass at the run's
// frame times, while the keyboard itself is heard only for Escape, which
// leaves. The game works in a scratch folder meanwhile, so nothing the run
// does (its shop, its options) is saved; the profile as it was comes back
// when the watch ends.
class RecordWatch : public PassDriver {
 public:
  // Takes over the game's passes and enters the run's level.
  RecordWatch(GameApp& app, std::unique_ptr<KeptRun> run);
  // Back to the map as it was; the keyboard is the game's again.
  ~RecordWatch() override;
  RecordWatch(const RecordWatch&) = delete;
  RecordWatch& operator=(const RecordWatch&) = delete;

  // False when the scratch folder could not be made: nothing was changed.
  bool started() const { return ready; }
  // The run's level has been entered: its passes start with the next one.
  void levelEntered() { entered = true; }
  bool beginPass(float& dt) override;
  void endPass() override;
  // The run won, ended, left its level or Escape was pressed.
  bool over() const { return ended; }

 private:
  struct Kept {
    int bubbleLimit, coins, levelsBeaten, currentLevel;
    bool waterEffect;
    std::map<int, int> ratings, bestTimes;
    std::map<std::string, float> settings;
  };

  GameApp& app;
  std::unique_ptr<KeptRun> run;
  std::unique_ptr<ScratchFolder> scratch;
  Kept kept;
  void (*keyboardHook)(int) = nullptr;  // the game's, while the watch has its own
  size_t next = 0;
  bool ready = false;
  bool entered = false;
  bool ended = false;
};
