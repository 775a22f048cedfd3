#include "flow/launch_options.h"

#include <cerrno>
#include <cstdlib>

#include "flow/game_app.h"

namespace {

const int kLastStoryLevel = 49;
const int kLastMiniGameLevel = kFirstMiniGameLevel + 3;

bool playableLevel(long level) {
  return (level >= 0 && level <= kLastStoryLevel) || (level >= kFirstMiniGameLevel && level <= kLastMiniGameLevel);
}

bool parseLevelNumber(const char* text, int& level) {
  errno = 0;
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || errno == ERANGE || !playableLevel(value)) return false;
  level = static_cast<int>(value);
  return true;
}

}  // namespace

bool parseLaunchOptions(int argc, char** argv, LaunchOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string flag = argv[i];
    if (flag == "--level") {
      if (i + 1 >= argc || !parseLevelNumber(argv[i + 1], options.level)) {
        error = "--level needs a level number: 0-49, or 1000-1003 for the mini-games";
        return false;
      }
      ++i;
      continue;
    }
    error = "unknown option " + flag + " (usage: tidewell [--level N])";
    return false;
  }
  return true;
}
