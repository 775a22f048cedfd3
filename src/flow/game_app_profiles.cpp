// The game's profiles: the list in "profiles.cfg", one progress file and
// one key-binding file per profile (the files themselves: profile_store).
#include <allegro.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "engine/gamepad.h"
#include "engine/game_paths.h"
#include "engine/log.h"
#include "engine/safe_file.h"
#include "flow/game_app.h"
#include "flow/profile_store.h"
#include "flow/run_records.h"
#include "game/actors/player.h"

namespace {

const char* const kProfileListFile = "profiles.cfg";
const int kMinBubbleLimit = 1, kMaxBubbleLimit = 10;
const float kSaveFailedNoticeS = 5.0f;
// The most a profile can hold of each; a stored value beyond is damage.
const int kMaxLevelsBeaten = 50;  // every story level
const int kMaxRating = 100;       // percent

void removeIfPresent(const std::string& path) { std::remove(path.c_str()); }

}  // namespace

void GameApp::loadProfileList() {
  mkdir(profileFolder().c_str(), 0777);  // a missing folder would lose every save
  removeStaleTemporaryFiles({configFile("settings.cfg"), configFile("volume.cfg"), userFile(kProfileListFile)});
  ProfileList list = readProfileList(userFile(kProfileListFile));
  profiles = list.names;
  if (!list.current.empty()) currentProfile = list.current;
  if (profiles.empty()) {
    profiles.push_back(kDefaultProfileName);
    currentProfile = kDefaultProfileName;
    saveProfileList();
  }
  // A list of one line, or a current name that is not one of the list
  // (it would play and save as a profile nobody can choose), has no usable
  // current profile: the first one stands in.
  if (std::find(profiles.begin(), profiles.end(), currentProfile) == profiles.end()) {
    if (!currentProfile.empty()) logInfo("profiles.cfg - current profile not in the list, using the first");
    currentProfile = profiles.front();
  }
}

std::string GameApp::keyConfigPath() const { return keyConfigPathFor(currentProfile); }

void GameApp::loadPlayerKeys() {
  if (!player) return;
  player->loadKeyConfig(keyConfigPath());
  Gamepad& pad = Gamepad::instance();
  if (isUsableProfileName(currentProfile)) pad.loadButtons(padConfigPathFor(currentProfile));
  pad.followPlayerKeys(*player);
}

void GameApp::savePadConfig() {
  if (isUsableProfileName(currentProfile)) Gamepad::instance().saveButtons(padConfigPathFor(currentProfile));
}

void GameApp::saveProfileList() { writeProfileList(userFile(kProfileListFile), {profiles, currentProfile}); }

void GameApp::applyProgress(const ProfileProgress& progress) {
  levelsBeaten = saneValue("levels beaten", progress.levelsBeaten, 0, kMaxLevelsBeaten);
  bubbleLimit = progress.bubbleLimit;
  if (bubbleLimit < kMinBubbleLimit || bubbleLimit > kMaxBubbleLimit) {
    bubbleLimit = ProfileProgress{}.bubbleLimit;
    logInfo("profile [" + currentProfile + "] - bubble limit " + std::to_string(progress.bubbleLimit) +
            " out of range, using " + std::to_string(bubbleLimit));
  }
  coins = saneValue("coins", progress.coins, 0, kMaxCoins);
  waterEffect = progress.waterEffect != 0;
  ratings.clear();
  for (const auto& [level, rating] : progress.ratings)
    ratings[level] = saneValue("rating of level " + std::to_string(level), rating, 0, kMaxRating);
  // A negative time would beat every real one: it reads as none (0).
  bestTimes.clear();
  for (const auto& [level, seconds] : progress.bestTimes)
    bestTimes[level] = saneValue("best time of level " + std::to_string(level), seconds, 0, kLevelClockCapS);
}

int GameApp::saneValue(const std::string& what, int value, int low, int high) const {
  int sane = std::clamp(value, low, high);
  if (sane != value)
    logInfo("profile [" + currentProfile + "] - " + what + " " + std::to_string(value) + " out of range, using " +
            std::to_string(sane));
  return sane;
}

void GameApp::addCoins(int amount) {
  coins = static_cast<int>(std::clamp(static_cast<long long>(coins) + amount, 0LL, static_cast<long long>(kMaxCoins)));
}

void GameApp::loadProfile() {
  if (!isUsableProfileName(currentProfile)) {
    applyProgress(ProfileProgress{});
    return;
  }
  std::string path = progressPathFor(currentProfile);
  if (!fileExists(path)) {
    applyProgress(ProfileProgress{});
    saveProfile();
  }
  // A short or unreadable file keeps the defaults for what it lacks.
  ProfileProgress progress;
  readProgressFile(path, progress);
  applyProgress(progress);
}

void GameApp::saveProfile() {
  if (!isUsableProfileName(currentProfile)) return;
  ProfileProgress progress;
  progress.levelsBeaten = levelsBeaten;
  progress.bubbleLimit = bubbleLimit;
  progress.coins = coins;
  progress.waterEffect = waterEffect;
  progress.highResolution = highResolution;
  progress.fullScreen = fullScreen;
  progress.ratings = ratings;
  progress.bestTimes = bestTimes;
  // The log has the file and the reason; the player is told on screen.
  if (!writeProgressFile(progressPathFor(currentProfile), progress)) saveFailedNotice = kSaveFailedNoticeS;
}

void GameApp::writeDefaultKeyConfig() {
  if (player) {
    player->bindDefaultKeys();
    player->save(keyConfigPath());
    return;
  }
  Player defaults(bubbleLimit);
  defaults.save(keyConfigPath());
}

void GameApp::createProfile(const std::string& name) {
  if (profiles.size() >= static_cast<size_t>(kMaxProfiles)) return;
  if (std::find(profiles.begin(), profiles.end(), name) != profiles.end()) return;
  if (!isUsableProfileName(name)) return;
  currentProfile = name;
  removeIfPresent(keyConfigPathFor(name));
  removeIfPresent(progressPathFor(name));
  removeIfPresent(padConfigPathFor(name));
  runs->forgetProfile(name);
  writeDefaultKeyConfig();
  loadProfile();
  profiles.push_back(name);
  saveProfileList();
}

void GameApp::selectProfile(const std::string& name) {
  if (!isUsableProfileName(name)) return;
  currentProfile = name;
  loadProfile();
  loadPlayerKeys();
  saveProfileList();
  switchState("title");
}

void GameApp::deleteProfile(const std::string& name) {
  if (profiles.size() < 2) {
    confirm("Cannot Delete Profile [ESC]");
    return;
  }
  if (!confirm("Delete Profile [" + name + "]? [Y/N]")) return;
  auto last = std::find(profiles.rbegin(), profiles.rend(), name);
  if (last == profiles.rend()) return;
  profiles.erase(std::next(last).base());
  if (isUsableProfileName(name)) {
    removeIfPresent(progressPathFor(name));
    removeIfPresent(keyConfigPathFor(name));
    removeIfPresent(padConfigPathFor(name));
    runs->forgetProfile(name);
  }
  if (currentProfile == name) currentProfile = profiles.front();
  loadPlayerKeys();
  loadProfile();
  saveProfileList();
  queueAction("JUMPSTATE:title");
}
