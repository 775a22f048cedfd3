#include "flow/run_records.h"

#include <allegro.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "engine/game_paths.h"
#include "engine/gamepad.h"
#include "engine/input_map.h"
#include "engine/key_events.h"
#include "engine/log.h"
#include "engine/safe_file.h"
#include "engine/screen.h"
#include "flow/demo_session.h"
#include "flow/game_app.h"
#include "flow/ghost_fish.h"
#include "flow/profile_store.h"
#include "flow/record_watch.h"
#include "game/actors/player.h"
#include "game/treasure.h"

extern char** environ;

namespace {

const int kLastStoryLevel = 49;
const int kActorLayer = 2;
const float kChestDifferenceS = 3.0f;  // how long the heads-up line shows
const char* const kCandidateEnding = ".new";
const char* const kVerdictEnding = ".verdict";
const int kVerifierNiceness = 10;

// The file's text, empty when it cannot be read.
std::string readWhole(const std::string& path) {
  std::string text;
  readTextFile(path, text);
  return text;
}

std::string lastLine(std::string text) {
  while (!text.empty() && text.back() == '\n') text.pop_back();
  size_t start = text.rfind('\n');
  return start == std::string::npos ? text : text.substr(start + 1);
}

}  // namespace

RunRecords::RunRecords(GameApp& game)
    : app(game), levels(KEY_MAX, 0), replayDown(KEY_MAX, 0), touched(KEY_MAX, 0) {}

RunRecords::~RunRecords() {
  watching.reset();
  settle();
}

bool RunRecords::ghostWanted() const { return app.settingOr("ghost", 1.0f) != 0.0f; }

bool RunRecords::recordsThisLevel() const {
  return !verifier.empty() && !watching && !app.passDriver && app.currentLevel >= 0 && app.currentLevel <= kLastStoryLevel &&
         isUsableProfileName(app.currentProfile);
}

void RunRecords::levelEntered(unsigned seed) {
  ghost = nullptr;
  racing = nullptr;
  chestsTaken = 0;
  chestDifferenceShownS = 0.0f;
  if (watching) watching->levelEntered();
  recording = recordsThisLevel();
  passOpen = false;
  if (!recording) return;
  run = KeptRun{};
  run.demo.level = app.currentLevel;
  run.demo.seed = seed;
  run.startBubbles = app.bubbleLimit;
  run.startCoins = app.coins;
  nextSampleAt = 0.0f;
  keysTranslated = untranslatable = false;
  std::fill(replayDown.begin(), replayDown.end(), 0);
  if (ghostWanted()) startGhost();
}

void RunRecords::startGhost() {
  auto kept = std::make_unique<KeptRun>();
  if (!load(app.currentLevel, *kept) || kept->track.empty()) return;
  raced = std::move(kept);
  racing = raced.get();
  ghost = new GhostFish(raced->track);
  app.addSprite(ghost, kActorLayer);
}

void RunRecords::translateKeys() {
  keysTranslated = true;
  translation.assign(KEY_MAX, 0);
  for (int code = 0; code < KEY_MAX; ++code) translation[code] = code;
  std::vector<int> claimedBy(KEY_MAX, 0);
  // A kept run is written in a new profile's keys, so that it replays the
  // same whatever keys the profile has chosen since.
  for (const auto& [action, codes] : app.player->bindings) {
    int standard = defaultKeyOf(action);
    if (standard == 0) continue;
    for (int code : codes) {
      if (code <= 0 || code >= kKeyCodeCount) continue;
      if (claimedBy[code] != 0 && claimedBy[code] != standard) untranslatable = true;
      claimedBy[code] = standard;
      translation[code] = standard;
    }
  }
}

void RunRecords::beforeUpdate(float dt) {
  if (watching && watching->over()) {
    watching.reset();
    app.switchState("levelSelect");
  }
  if (!recording) return;
  if (!keysTranslated && app.player) translateKeys();
  Gamepad& pad = Gamepad::instance();
  bool padHere = gamepadPresent();
  if (padHere) pad.pollDevice();
  std::fill(levels.begin(), levels.end(), 0);
  // What the input maps will read this pass: the key array, and the pad,
  // which holds keys without reporting them as events.
  for (int code = 1; code < KEY_MAX; ++code) {
    bool padHolds = padHere && code < kKeyCodeCount && pad.holdsKey(code);
    if (key[code] || padHolds) levels[translation.empty() ? code : translation[code]] = 1;
  }
  DemoPass pass;
  pass.dt = dt;
  run.demo.passes.push_back(pass);
  passOpen = true;
}

// The pass's key events, then whatever the maps read differently from what
// the events alone would give (keys held from before the entry, the pad),
// all in the default keys. The replay reads the events only.
void RunRecords::recordKeys() {
  passOpen = false;
  std::vector<KeyChange>& changes = run.demo.passes.back().keys;
  std::fill(touched.begin(), touched.end(), 0);
  for (const KeyEvent& event : takenKeyEvents()) {
    int code = translation.empty() ? event.code : translation[event.code];
    touched[code] = 1;
    if (replayDown[code] == event.down) continue;
    replayDown[code] = event.down;
    changes.push_back({code, event.down});
  }
  for (int code = 1; code < KEY_MAX; ++code) {
    if (touched[code] || replayDown[code] == levels[code]) continue;
    replayDown[code] = levels[code];
    changes.push_back({code, levels[code] != 0});
  }
}

void RunRecords::sampleFish() {
  const Player* fish = app.player;
  if (!fish || app.levelTime < nextSampleAt || run.track.size() * kGhostSampleS > 600.0f) return;
  run.track.push_back({app.levelTime, fish->x, fish->y, static_cast<int>(fish->frame), fish->hFlip, fish->hopMode != 0});
  while (nextSampleAt <= app.levelTime) nextSampleAt += kGhostSampleS;
}

void RunRecords::countChests() {
  int taken = 0;
  for (const Treasure* treasure : app.treasures)
    if (treasure->isChest() && treasure->collected) taken += 1;
  while (chestsTaken < taken) {
    if (recording) run.chestTimes.push_back(app.levelTime);
    if (racing && chestsTaken < static_cast<int>(racing->chestTimes.size())) {
      chestDifference = app.levelTime - racing->chestTimes[chestsTaken];
      chestDifferenceShownS = kChestDifferenceS;
    }
    chestsTaken += 1;
  }
}

void RunRecords::afterUpdate(float dt) {
  chestDifferenceShownS = std::max(0.0f, chestDifferenceShownS - dt);
  if (!pending.empty()) finishVerifications(false);
  if (!recording && !racing) return;
  if (!app.isStacked("inGame") || !app.player) {
    recording = passOpen = false;
    racing = nullptr;
    ghost = nullptr;
    return;
  }
  if (recording && passOpen) recordKeys();
  countChests();
  if (recording) sampleFish();
  if (ghost) ghost->follow(app.levelTime);
}

void RunRecords::levelWon(int rating) {
  if (!recording) return;
  // The winning pass is still running: its keys and its chest count now.
  if (passOpen) recordKeys();
  countChests();
  recording = false;
  racing = nullptr;
  run.rating = rating;
  run.time = app.levelTime;
  if (app.player) run.track.push_back({app.levelTime, app.player->x, app.player->y,
                                       static_cast<int>(app.player->frame), app.player->hFlip,
                                       app.player->hopMode != 0});
  if (untranslatable) {
    logInfo("run of level " + std::to_string(run.demo.level + 1) + " not kept: a key serves two actions");
    return;
  }
  // A better run of this level may still be under verification.
  if (std::any_of(pending.begin(), pending.end(), [this](const Pending& job) {
        return job.level == run.demo.level && job.profile == app.currentProfile;
      }))
    settle();
  if (!better(rating)) return;
  mkdir(runFolderFor(app.currentProfile).c_str(), 0755);
  std::string candidate = runPathFor(app.currentProfile, run.demo.level) + kCandidateEnding;
  if (!writeFileSafely(candidate, formatRun(run))) return;
  startVerification(candidate);
}

bool RunRecords::better(int rating) {
  const RunSummary* kept = record(run.demo.level);
  if (kept) return rating > kept->rating || (rating == kept->rating && run.time < kept->time);
  auto stored = [](const std::map<int, int>& values, int level) {
    auto found = values.find(level);
    return found == values.end() ? 0 : found->second;
  };
  int storedRating = stored(app.ratings, run.demo.level), storedTime = stored(app.bestTimes, run.demo.level);
  if (rating != storedRating) return rating > storedRating;
  return storedTime == 0 || static_cast<int>(run.time) <= storedTime;
}

void RunRecords::startVerification(const std::string& candidate) {
  Pending job;
  job.profile = app.currentProfile;
  job.level = run.demo.level;
  job.candidate = candidate;
  job.verdictFile = candidate + kVerdictEnding;
  DemoOutcome won;
  won.won = true;
  won.rating = run.rating;
  won.levelTime = run.time;
  job.expected = demoVerdict(run.demo.level, won);
  std::error_code failure;
  std::string target = std::filesystem::absolute(candidate, failure).string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, job.verdictFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  std::vector<std::string> words = {"tidewell", "--verify-demo", target};
  // A data folder given on the command line must reach the check too.
  if (!gamePaths().data.empty()) words.insert(words.begin() + 1, {"--data-dir", gamePaths().data});
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  int started = posix_spawn(&job.pid, verifier.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (started != 0 || verifier.empty()) {
    logInfo("run of level " + std::to_string(job.level + 1) + " not kept: cannot start " + verifier);
    std::remove(candidate.c_str());
    return;
  }
  // The player's frames come first: the check can take its time.
  setpriority(PRIO_PROCESS, static_cast<id_t>(job.pid), kVerifierNiceness);
  pending.push_back(job);
}

void RunRecords::finishVerifications(bool wait) {
  for (size_t i = 0; i < pending.size();) {
    int status = 0;
    pid_t ended = waitpid(pending[i].pid, &status, wait ? 0 : WNOHANG);
    if (ended == 0) {
      ++i;
      continue;
    }
    Pending job = pending[i];
    pending.erase(pending.begin() + static_cast<long>(i));
    conclude(job, ended < 0 ? -1 : status);
  }
}

void RunRecords::conclude(const Pending& job, int status) {
  std::string output = readWhole(job.verdictFile);
  std::remove(job.verdictFile.c_str());
  std::string verdict = lastLine(output);
  std::string final = runPathFor(job.profile, job.level);
  std::string level = std::to_string(job.level + 1);
  bool won = status >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 && verdict == job.expected;
  if (won && std::rename(job.candidate.c_str(), final.c_str()) == 0) {
    logInfo("run of level " + level + " kept for [" + job.profile + "]: " + verdict);
  } else {
    logInfo("run of level " + level + " not kept: its replay gave '" + verdict + "', the play '" + job.expected + "'");
    std::remove(job.candidate.c_str());
  }
  summaries.erase(final);
}

void RunRecords::settle() { finishVerifications(true); }

bool RunRecords::watch(int level) {
  auto run = std::make_unique<KeptRun>();
  if (watching || !load(level, *run)) return false;
  watching = std::make_unique<RecordWatch>(app, std::move(run));
  if (watching->started()) return true;
  watching.reset();
  return false;
}

bool RunRecords::load(int level, KeptRun& kept) {
  if (!isUsableProfileName(app.currentProfile)) return false;
  std::string path = runPathFor(app.currentProfile, level);
  if (!fileExists(path)) return false;
  std::string error;
  if (!parseRun(readWhole(path), kept, error)) {
    logInfo("run [" + path + "] - ignored: " + error);
    return false;
  }
  if (kept.demo.level != level) {
    logInfo("run [" + path + "] - ignored: a run of level " + std::to_string(kept.demo.level + 1));
    return false;
  }
  return true;
}

const RunSummary* RunRecords::record(int level) {
  if (!isUsableProfileName(app.currentProfile)) return nullptr;
  // Read again only when the file changed: the map asks every frame.
  std::string path = runPathFor(app.currentProfile, level);
  struct stat status;
  long long stamp = -1, size = -1;
  if (stat(path.c_str(), &status) == 0) {
    stamp = static_cast<long long>(status.st_mtim.tv_sec) * 1000000000LL + status.st_mtim.tv_nsec;
    size = static_cast<long long>(status.st_size);
  }
  Summary& summary = summaries[path];
  if (summary.stamp == stamp && summary.size == size) return summary.run.get();
  summary.stamp = stamp;
  summary.size = size;
  summary.run.reset();
  KeptRun kept;
  if (stamp >= 0 && load(level, kept)) summary.run = std::make_unique<RunSummary>(RunSummary{kept.rating, kept.time});
  return summary.run.get();
}

void RunRecords::forgetProfile(const std::string& name) {
  settle();  // a verification still running would put a run back
  std::error_code failure;
  if (isUsableProfileName(name)) std::filesystem::remove_all(runFolderFor(name), failure);
  summaries.clear();
}

void RunRecords::drawChestDifference(BITMAP* target, int y) {
  if (chestDifferenceShownS <= 0.0f || !app.screen) return;
  app.drawText(target, chestDifferenceText(chestDifference), app.screen->width / 2, y, -1, 1);
}
