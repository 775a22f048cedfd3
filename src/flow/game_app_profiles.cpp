// Profiles, held in memory for now: the profile list and the progress files
// come with saved progress, and until then every run starts from a fresh
// default profile and nothing is written.
#include <algorithm>

#include "flow/game_app.h"
#include "game/actors/player.h"

namespace {

const char* const kDefaultProfile = "gulpy";
const size_t kMaxProfiles = 5;
const int kNewBubbleLimit = 3;
const int kNewCoins = 25;

}  // namespace

void GameApp::loadProfileList() {
  if (!profiles.empty()) return;
  profiles.push_back(kDefaultProfile);
  currentProfile = kDefaultProfile;
}

void GameApp::saveProfileList() {}

void GameApp::loadProfile() {
  levelsBeaten = 0;
  bubbleLimit = kNewBubbleLimit;
  coins = kNewCoins;
  waterEffect = 1;
  ratings.clear();
  bestTimes.clear();
}

void GameApp::saveProfile() {}

void GameApp::createProfile(const std::string& name) {
  if (profiles.size() >= kMaxProfiles) return;
  if (std::find(profiles.begin(), profiles.end(), name) != profiles.end()) return;
  currentProfile = name;
  loadProfile();
  profiles.push_back(name);
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
  if (currentProfile == name) currentProfile = profiles.front();
  if (player) player->loadKeyConfig(keyConfigPath());
  loadProfile();
  queueAction("JUMPSTATE:title");
}
