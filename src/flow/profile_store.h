#pragma once
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

// The files that keep a player's progress: the profile list
// "profiles.cfg" and per profile an 816-byte progress packfile
// "profiles/<name>.dat" (its key bindings live in "profiles/<name>.cfg").
// Reads never fail hard: what cannot be read keeps its default. Writes go
// through a temporary file, so a crash never leaves a broken file.

// The values of one profile, with the defaults of a new profile.
struct ProfileProgress {
  int levelsBeaten = 0;
  int bubbleLimit = 3;
  int coins = 25;
  int waterEffect = 1;
  int highResolution = 0;
  int fullScreen = 0;
  std::map<int, int> ratings;    // level -> best percent
  std::map<int, int> bestTimes;  // level -> best whole seconds
};

const int kProgressFileBytes = 816;
const int kStoredLevels = 100;  // levels 0..99 are kept on disk
// A purse never holds more; winnings beyond are lost.
const int kMaxCoins = 999999;
// The level clock stops here, so no stored time or kept run goes beyond.
const int kLevelClockCapS = 599;
const int kMaxProfiles = 5;
const char* const kDefaultProfileName = "gulpy";

struct ProfileList {
  std::vector<std::string> names;
  std::string current;
};

// False for names that cannot safely become a file name or be shown:
// empty, "." or "..", path separators, line breaks or other control
// characters, text that is not well-formed UTF-8, over 64 bytes.
bool isUsableProfileName(const std::string& name);
// Removes what a save cut short (a kill between write and rename) left
// beside paths and beside the progress and key files in the profile folder.
void removeStaleTemporaryFiles(const std::vector<std::string>& paths);
// "profiles/" in the player's folder; every per-profile file lives in it.
std::string profileFolder();
std::string progressPathFor(const std::string& name);
std::string keyConfigPathFor(const std::string& name);
// The profile's gamepad buttons, beside its key bindings.
std::string padConfigPathFor(const std::string& name);

// Reads the list: every line a name, the last of two or more the current
// one. Unusable names are dropped. A missing file gives an empty list.
ProfileList readProfileList(const std::string& path);
ProfileList readProfileList(std::istream& in);
bool writeProfileList(const std::string& path, const ProfileList& list);

// Reads a progress file into progress, field by field; fields the file is
// too short for keep their values. False when the file cannot be opened.
bool readProgressFile(const std::string& path, ProfileProgress& progress);
// Writes the 816-byte layout, creating the folder when it is missing.
bool writeProgressFile(const std::string& path, const ProfileProgress& progress);
