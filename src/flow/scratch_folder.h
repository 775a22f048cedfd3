#pragma once
#include <string>

#include "engine/game_paths.h"

// A fresh temporary folder that becomes the working directory for its
// lifetime, with the game's data (dat/, sfx/, mus/, credits.txt) linked in
// from the data folder, and the game's folders all pointed at it. Whatever
// the game writes there (log, settings, profiles) is removed with it, and
// the player's own files are never read. Going away restores the working
// directory and the folders.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // False (with the reason in error()) when the folder could not be made
  // or entered; the working directory is then unchanged.
  bool ready() const { return error().empty(); }
  const std::string& error() const { return problem; }
  const std::string& path() const { return folder; }

 private:
  std::string home;    // the working directory before
  GamePaths before;    // the game's folders before
  std::string folder;  // empty when none was made
  std::string problem;
};
