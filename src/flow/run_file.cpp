#include "flow/run_file.h"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "flow/profile_store.h"

namespace {

const char* const kRunWord = "tidewell-run";
const int kRunVersion = 1;
const int kMinBubbles = 1, kMaxBubbles = 10;  // as the shop sells them
const float kMaxLevelS = kLevelClockCapS;
const size_t kMaxSamples = static_cast<size_t>(kLevelClockCapS / kGhostSampleS) + 100;  // a full clock
const size_t kMaxChests = 1000;
const float kMaxCoordinate = 1.0e6f;  // px; a level is at most a few thousand
const int kMaxFrame = 9999;

std::string floatText(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  return text;
}

bool timeFrom(const std::string& word, float& value) {
  char* end = nullptr;
  value = std::strtof(word.c_str(), &end);
  return !word.empty() && *end == '\0' && std::isfinite(value) && value >= 0.0f && value <= kMaxLevelS;
}

bool readTime(std::istringstream& in, float& value) {
  std::string word;
  return in >> word && timeFrom(word, value);
}

bool readInt(std::istringstream& in, int& value, int low, int high) {
  std::string word;
  if (!(in >> word) || word.size() > 7) return false;
  char* end = nullptr;
  long number = std::strtol(word.c_str(), &end, 10);
  value = static_cast<int>(number);
  return *end == '\0' && !word.empty() && number >= low && number <= high;
}

bool readCoordinate(std::istringstream& in, float& value) {
  std::string word;
  if (!(in >> word)) return false;
  char* end = nullptr;
  value = std::strtof(word.c_str(), &end);
  return *end == '\0' && std::isfinite(value) && std::fabs(value) <= kMaxCoordinate;
}

bool ended(std::istringstream& in) {
  std::string rest;
  return !(in >> rest);
}

bool readRunLine(std::istringstream& in, KeptRun& run) {
  int version = 0;
  std::string word;
  bool ok = readInt(in, version, kRunVersion, kRunVersion);
  ok = ok && in >> word && word == "bubbles" && readInt(in, run.startBubbles, kMinBubbles, kMaxBubbles);
  ok = ok && in >> word && word == "coins" && readInt(in, run.startCoins, 0, kMaxCoins);
  ok = ok && in >> word && word == "rating" && readInt(in, run.rating, 0, 100);
  return ok && in >> word && word == "time" && readTime(in, run.time) && ended(in);
}

bool readChests(std::istringstream& in, KeptRun& run) {
  float time = 0.0f;
  std::string word;
  while (in >> word) {
    if (!timeFrom(word, time) || (!run.chestTimes.empty() && time < run.chestTimes.back())) return false;
    if (run.chestTimes.size() >= kMaxChests) return false;
    run.chestTimes.push_back(time);
  }
  return true;
}

bool readSample(std::istringstream& in, KeptRun& run) {
  GhostSample sample;
  int flip = 0, hop = 0;
  bool ok = readTime(in, sample.time) && readCoordinate(in, sample.x) && readCoordinate(in, sample.y) &&
            readInt(in, sample.frame, 0, kMaxFrame) && readInt(in, flip, 0, 1) && readInt(in, hop, 0, 1) && ended(in);
  if (!ok || run.track.size() >= kMaxSamples) return false;
  if (!run.track.empty() && sample.time < run.track.back().time) return false;
  sample.flip = flip == 1;
  sample.hop = hop == 1;
  run.track.push_back(sample);
  return true;
}

}  // namespace

std::string formatRun(const KeptRun& run) {
  std::ostringstream out;
  out << "; " << kRunWord << ' ' << kRunVersion << " bubbles " << run.startBubbles << " coins " << run.startCoins
      << " rating " << run.rating << " time " << floatText(run.time) << "\n; chests";
  for (float time : run.chestTimes) out << ' ' << floatText(time);
  out << '\n';
  for (const GhostSample& s : run.track)
    out << "; fish " << floatText(s.time) << ' ' << floatText(s.x) << ' ' << floatText(s.y) << ' ' << s.frame << ' '
        << (s.flip ? 1 : 0) << ' ' << (s.hop ? 1 : 0) << '\n';
  return out.str() + formatDemo(run.demo);
}

bool parseRun(const std::string& text, KeptRun& run, std::string& error) {
  run = KeptRun{};
  if (!parseDemo(text, run.demo, error)) return false;
  std::istringstream lines(text);
  std::string line;
  int runLines = 0;
  for (size_t number = 1; std::getline(lines, line); ++number) {
    if (line.empty() || line[0] != ';') continue;
    std::istringstream in(line.substr(1));
    std::string word;
    in >> word;
    bool ok = true;
    if (word == kRunWord) {
      ok = ++runLines == 1 && readRunLine(in, run);
    } else if (word == "chests") {
      ok = readChests(in, run);
    } else if (word == "fish") {
      ok = readSample(in, run);
    }
    if (!ok) {
      error = "line " + std::to_string(number) + ": not a run line the game writes";
      return false;
    }
  }
  if (runLines == 0) error = "no '" + std::string(kRunWord) + "' line: not a kept run";
  return runLines == 1;
}

// Beside the profile's other files, wherever the player's folder is.
std::string runFolderFor(const std::string& profile) { return profileFolder() + profile + ".runs"; }

std::string runPathFor(const std::string& profile, int level) {
  char name[16];
  std::snprintf(name, sizeof name, "/%02d.demo", level);
  return runFolderFor(profile) + name;
}

std::string chestDifferenceText(float playerMinusGhostS) {
  // The game font has no minus sign of its own; the hyphen stands in.
  char text[32];
  float shown = std::round(playerMinusGhostS * 100.0f) / 100.0f;
  std::snprintf(text, sizeof text, "%c%.2f s", shown < 0.0f ? '-' : '+', static_cast<double>(std::fabs(shown)));
  return text;
}
