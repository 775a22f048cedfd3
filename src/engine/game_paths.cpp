#include "engine/game_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

// The installed data folder seen from the installed program's folder; the
// build sets it from its install folders.
#ifndef TIDEWELL_DATA_FROM_PROGRAM
#define TIDEWELL_DATA_FROM_PROGRAM "../share/games/tidewell-quest"
#endif

namespace {

// A folder holds the game's data when it holds the level pictures.
const char* const kDataMarker = "dat/lvl/levels.dat";
const char* const kDefaultDataHome = ".local/share";
const char* const kDefaultConfigHome = ".config";

GamePaths current;

// "" stays the working directory; anything else ends in one '/'.
std::string asFolder(const std::string& path) {
  if (path.empty() || path.back() == '/') return path;
  return path + '/';
}

std::string absoluteFolder(const std::string& path) {
  std::error_code failure;
  fs::path full = fs::absolute(path, failure);
  return asFolder((failure ? fs::path(path) : full.lexically_normal()).string());
}

bool holdsData(const std::string& folder) {
  std::error_code failure;
  return fs::is_regular_file(asFolder(folder) + kDataMarker, failure);
}

// The XDG rule: a variable that is unset, empty or relative is ignored.
std::string xdgFolder(const std::string& variable, const std::string& home, const char* fallback) {
  std::string base = !variable.empty() && variable[0] == '/' ? variable : asFolder(home) + fallback;
  return asFolder(asFolder(base) + kGameFolderName);
}

std::string shown(const std::string& folder) { return folder.empty() ? "the working directory" : folder; }

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

GamePaths& gamePaths() { return current; }
std::string dataFile(const std::string& name) { return current.data + name; }
std::string userFile(const std::string& name) { return current.user + name; }
std::string configFile(const std::string& name) { return current.config + name; }

std::string runningProgram() {
  std::error_code failure;
  fs::path program = fs::read_symlink("/proc/self/exe", failure);
  return failure ? std::string() : program.string();
}

PathClues processClues(const std::string& dataDirOption, const std::string& userDirOption) {
  PathClues clues;
  clues.dataOverride = dataDirOption.empty() ? environment("TIDEWELL_DATA_DIR") : dataDirOption;
  clues.userOverride = userDirOption.empty() ? environment("TIDEWELL_USER_DIR") : userDirOption;
  std::string program = runningProgram();
  if (!program.empty()) clues.programDir = fs::path(program).parent_path().string();
  clues.dataHome = environment("XDG_DATA_HOME");
  clues.configHome = environment("XDG_CONFIG_HOME");
  clues.home = environment("HOME");
  if (clues.home.empty()) {
    if (const passwd* entry = getpwuid(getuid())) clues.home = entry->pw_dir ? entry->pw_dir : "";
  }
  return clues;
}

GamePaths choosePaths(const PathClues& clues) {
  GamePaths paths;
  std::string installed = asFolder(clues.programDir) + TIDEWELL_DATA_FROM_PROGRAM;
  bool gameFolder = false;
  std::string how;
  if (!clues.dataOverride.empty()) {
    paths.data = absoluteFolder(clues.dataOverride);
    how = "data folder given";
  } else if (!clues.programDir.empty() && holdsData(installed)) {
    paths.data = absoluteFolder(installed);
    how = "installed";
  } else if (holdsData("") || clues.programDir.empty() || !holdsData(clues.programDir)) {
    // Also where a game with no data at all looks, and says what it misses.
    gameFolder = true;
    how = "game folder";
  } else {
    paths.data = absoluteFolder(clues.programDir);
    gameFolder = true;
    how = "game folder of the program";
  }
  if (!clues.userOverride.empty()) {
    paths.user = paths.config = absoluteFolder(clues.userOverride);
    how += ", player folder given";
  } else if (gameFolder) {
    paths.user = paths.config = paths.data;
  } else {
    paths.user = xdgFolder(clues.dataHome, clues.home, kDefaultDataHome);
    paths.config = xdgFolder(clues.configHome, clues.home, kDefaultConfigHome);
  }
  paths.layout = "files (" + how + "): data in " + shown(paths.data) + ", player files in " + shown(paths.user) +
                 ", settings in " + shown(paths.config);
  return paths;
}

bool makePlayerFolders(const GamePaths& paths, std::string& error) {
  for (const std::string& folder : {paths.user, paths.config}) {
    if (folder.empty()) continue;
    std::error_code failure;
    // create_directories asks for every permission; the umask takes away.
    fs::create_directories(folder, failure);
    if (failure) {
      error = "cannot make the folder " + folder + ": " + failure.message();
      return false;
    }
  }
  return true;
}
