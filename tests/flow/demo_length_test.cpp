// The shipped demos' lengths: a level's demo is the least a death costs the
// player who has learnt it, so no level may quietly grow past its limit.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <string>

#include "flow/demo.h"
#include "support/test_support.h"

namespace {

const int kStoryLevels = 50;
const double kStoryLimitS = 75.0;
const double kEarlyLimitS = 45.0;  // the reef and the wreck, levels 0-19
const int kLastEarlyLevel = 19;

std::string demoPath(int level) {
  char name[16];
  std::snprintf(name, sizeof name, "%02d.demo", level);
  return std::string(TIDEWELL_SOURCE_DIR) + "/assets/demos/" + name;
}

// Seconds of play in a demo file, the sum of its frame times as the
// verifier replays them; negative when the file is missing or unreadable.
double demoSeconds(const std::string& path, std::string& error) {
  if (!std::filesystem::exists(path)) {
    error = "missing";
    return -1.0;
  }
  Demo demo;
  if (!parseDemo(testsupport::readFile(path), demo, error)) return -1.0;
  double seconds = 0.0;
  for (const DemoPass& pass : demo.passes) seconds += pass.dt;
  return seconds;
}

}  // namespace

TEST(DemoLength, EveryStoryLevelsDemoStaysWithinItsLimit) {
  for (int level = 0; level < kStoryLevels; ++level) {
    std::string error;
    double seconds = demoSeconds(demoPath(level), error);
    ASSERT_GE(seconds, 0.0) << demoPath(level) << ": " << error;
    double limit = level <= kLastEarlyLevel ? kEarlyLimitS : kStoryLimitS;
    EXPECT_LE(seconds, limit) << "level " << level << "'s demo plays " << std::fixed << std::setprecision(2) << seconds
                              << " s";
  }
}
