#pragma once
#include <sys/types.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "flow/run_file.h"

class GameApp;
class GhostFish;
class RecordWatch;
struct BITMAP;

// What the map shows of a kept run.
struct RunSummary {
  int rating = 0;     // percent
  float time = 0.0f;  // seconds
};

// The player's runs of the story levels: each entry of a level is recorded
// as a demo while it is played (never while a demo drives the game); a win
// better than the kept run is verified by the game itself, in a process of
// its own with no window, and kept only when it wins again; the kept run
// races the player as a ghost fish and shows at each chest how far ahead
// the player is.
class RunRecords {
 public:
  explicit RunRecords(GameApp& app);
  // Waits for the verifications still running, so that a win just before
  // quitting is kept.
  ~RunRecords();
  RunRecords(const RunRecords&) = delete;
  RunRecords& operator=(const RunRecords&) = delete;

  // From the level's entry, after its chance is seeded and before the
  // player reads its keys.
  void levelEntered(unsigned seed);
  // Around the update of every pass of the main loop.
  void beforeUpdate(float dt);
  void afterUpdate(float dt);
  // As the level is won, before its rating and time are stored.
  void levelWon(int rating);
  // The heads-up line after a chest: how far ahead of the ghost.
  void drawChestDifference(BITMAP* target, int y);

  // The kept run of a level of the current profile, or null; a damaged or
  // foreign file reads as none, with a line in the log (once).
  const RunSummary* record(int level);
  // Reads the whole kept run; false when there is none.
  bool load(int level, KeptRun& run);
  // A profile deleted or created afresh: its runs go.
  void forgetProfile(const std::string& name);
  // Blocks until every verification has ended and been acted on.
  void settle();
  // Plays the level's kept run in the game's window (see RecordWatch);
  // false, and nothing changed, when the level has none.
  bool watch(int level);
  // The run being watched, or null.
  RecordWatch* watched() { return watching.get(); }

  // The game program that verifies a run (its --verify-demo). Empty (as in
  // tests and tools that make a game of their own), nothing is recorded.
  std::string verifier;
  // Off: the ghost is not shown. Runs are recorded and kept regardless.
  bool ghostWanted() const;
  // Seconds the player was behind the ghost at the last chest (negative:
  // ahead), and how long that still shows.
  float chestDifference = 0.0f;
  float chestDifferenceShownS = 0.0f;
  GhostFish* ghost = nullptr;  // owned by the level's state

 private:
  struct Pending {
    pid_t pid = -1;
    std::string profile, candidate, verdictFile, expected;
    int level = 0;
  };

  GameApp& app;
  std::unique_ptr<RecordWatch> watching;  // nothing is recorded or raced meanwhile
  bool recording = false;
  bool passOpen = false;
  bool keysTranslated = false;
  bool untranslatable = false;  // a key of two actions: the run cannot be kept
  KeptRun run;
  float nextSampleAt = 0.0f;
  int chestsTaken = 0;
  std::vector<int> translation;  // the player's key -> the default key of its action
  std::vector<unsigned char> levels, replayDown, touched;  // by key code
  const KeptRun* racing = nullptr;
  std::unique_ptr<KeptRun> raced;
  std::vector<Pending> pending;
  struct Summary {
    long long stamp = -1;  // the file's change time and size when read
    long long size = -1;
    std::unique_ptr<RunSummary> run;  // null: no usable run
  };
  std::map<std::string, Summary> summaries;  // by path

  bool recordsThisLevel() const;
  void translateKeys();
  void recordKeys();
  void sampleFish();
  void countChests();
  bool better(int rating);
  void startVerification(const std::string& candidate);
  void finishVerifications(bool wait);
  void conclude(const Pending& job, int status);
  void startGhost();
};
