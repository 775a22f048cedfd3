#include "flow/scratch_folder.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const kGameData[] = {"dat", "sfx", "mus", "credits.txt"};
const char* const kFolderPattern = "tidewell-scratch-XXXXXX";

std::string temporaryRoot() {
  std::error_code failure;
  fs::path root = fs::temp_directory_path(failure);
  return failure ? std::string("/tmp") : root.string();
}

}  // namespace

ScratchFolder::ScratchFolder() {
  std::error_code failure;
  home = fs::current_path(failure).string();
  std::string pattern = temporaryRoot() + "/" + kFolderPattern;
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (failure || !mkdtemp(name.data())) {
    problem = "cannot make a scratch folder in " + temporaryRoot() + ": " + std::strerror(errno);
    return;
  }
  folder = name.data();
  for (const char* item : kGameData) {
    fs::path data = fs::path(home) / dataFile(item);  // an absolute data folder stays itself
    if (fs::exists(data)) fs::create_symlink(data, fs::path(folder) / item, failure);
    if (failure) break;
  }
  if (!failure) fs::current_path(folder, failure);
  if (failure) {
    problem = "cannot prepare the scratch folder " + folder + ": " + failure.message();
    return;
  }
  before = gamePaths();
  GamePaths& paths = gamePaths();
  paths.data = paths.user = paths.config = "";
}

ScratchFolder::~ScratchFolder() {
  if (folder.empty()) return;
  std::error_code ignored;
  fs::current_path(home, ignored);
  if (ready()) gamePaths() = before;
  // Removes the links, never what they point at.
  fs::remove_all(folder, ignored);
}
