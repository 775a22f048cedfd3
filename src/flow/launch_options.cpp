#include "flow/launch_options.h"

#include <cerrno>
#include <cstdlib>

#include "flow/game_app.h"

namespace {

const int kLastStoryLevel = 49;
const int kLastMiniGameLevel = kFirstMiniGameLevel + 3;
const char* const kUsage =
    "usage: tidewell [--level N] | --record-demo FILE --level N | --verify-demo FILE"
    " [--data-dir DIR] [--user-dir DIR]";

bool parseLevelNumber(const char* text, int& level) {
  errno = 0;
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || errno == ERANGE || !isPlayableLevel(value)) return false;
  level = static_cast<int>(value);
  return true;
}

bool readFileArgument(int argc, char** argv, int& i, std::string& file, std::string& error) {
  std::string flag = argv[i];
  if (i + 1 >= argc || argv[i + 1][0] == '\0') {
    error = flag + (flag.find("-dir") != std::string::npos ? " needs a folder" : " needs a file name");
    return false;
  }
  file = argv[++i];
  return true;
}

bool readOption(int argc, char** argv, int& i, LaunchOptions& options, std::string& error) {
  std::string flag = argv[i];
  if (flag == "--level") {
    if (i + 1 >= argc || !parseLevelNumber(argv[i + 1], options.level)) {
      error = "--level needs a level number: 0-49, or 1000-1003 for the mini-games";
      return false;
    }
    ++i;
    return true;
  }
  if (flag == "--record-demo") return readFileArgument(argc, argv, i, options.recordDemo, error);
  if (flag == "--verify-demo") return readFileArgument(argc, argv, i, options.verifyDemo, error);
  if (flag == "--data-dir") return readFileArgument(argc, argv, i, options.dataDir, error);
  if (flag == "--user-dir") return readFileArgument(argc, argv, i, options.userDir, error);
  error = "unknown option " + flag + " (" + kUsage + ")";
  return false;
}

// Options that make no sense together.
bool consistent(const LaunchOptions& options, std::string& error) {
  if (!options.recordDemo.empty() && !options.verifyDemo.empty()) {
    error = std::string("--record-demo and --verify-demo exclude each other (") + kUsage + ")";
  } else if (!options.recordDemo.empty() && options.level < 0) {
    error = "--record-demo needs the level to play: --level N";
  } else if (!options.verifyDemo.empty() && options.level >= 0) {
    error = "--verify-demo plays the level the demo names; leave out --level";
  } else {
    return true;
  }
  return false;
}

}  // namespace

bool isPlayableLevel(long level) {
  return (level >= 0 && level <= kLastStoryLevel) || (level >= kFirstMiniGameLevel && level <= kLastMiniGameLevel);
}

bool parseLaunchOptions(int argc, char** argv, LaunchOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    if (!readOption(argc, argv, i, options, error)) return false;
  }
  return consistent(options, error);
}
