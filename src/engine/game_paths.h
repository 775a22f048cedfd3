#pragma once
#include <string>

// Where the game reads its data and keeps the player's files. Each folder
// is empty (the working directory) or ends in '/'. Until main chooses, all
// three are empty: the game folder layout that tests and tools run in.
struct GamePaths {
  std::string data;    // dat/, sfx/, mus/, credits.txt; never written
  std::string user;    // profiles.cfg, profiles/, debug.log
  std::string config;  // settings.cfg, volume.cfg
  std::string layout;  // how the three were chosen, one line for the log
};

GamePaths& gamePaths();
// A name relative to the data folder ("dat/coin.dat") as a path to open.
std::string dataFile(const std::string& name);
std::string userFile(const std::string& name);
std::string configFile(const std::string& name);

// The folder name under the XDG folders and under share/games.
const char* const kGameFolderName = "tidewell-quest";

// What the choice looks at.
struct PathClues {
  std::string dataOverride;  // --data-dir, else $TIDEWELL_DATA_DIR
  std::string userOverride;  // --user-dir, else $TIDEWELL_USER_DIR
  std::string programDir;    // folder of the running executable
  std::string dataHome;      // $XDG_DATA_HOME
  std::string configHome;    // $XDG_CONFIG_HOME
  std::string home;          // $HOME, else the password database's
};

// The running program's path; empty when the system does not say.
std::string runningProgram();

// The clues of this process: its environment and /proc/self/exe, with the
// command line's folders (empty when not given) ahead of the variables.
PathClues processClues(const std::string& dataDirOption, const std::string& userDirOption);

// The data comes from the override, else the share folder beside an
// installed program, else the working directory or the program's own folder
// holding it (a build's game folder). An installed game or an overridden
// data folder keeps the player's files in the XDG folders; a game folder
// keeps them beside its data, as it always has. A user override puts
// settings and player files together in that folder.
GamePaths choosePaths(const PathClues& clues);

// Creates the player's folders and their missing parents, with the user's
// umask. False with the reason when one cannot be made.
bool makePlayerFolders(const GamePaths& paths, std::string& error);
