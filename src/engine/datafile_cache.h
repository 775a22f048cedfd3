#pragma once
#include <map>
#include <string>

struct DATAFILE;

// Loads each Allegro datafile once and counts the handles that hold it.
class DatafileCache {
 public:
  std::string directory;  // put in front of names that do not contain it
  std::map<std::string, DATAFILE*> loaded;
  std::map<std::string, int> refCounts;

  static DatafileCache& instance();

  void setDirectory(const std::string& prefix) { directory = prefix; }
  // The path a handle opens: path itself when it contains the directory.
  std::string fullPath(const std::string& path) const;
  // Unloads every datafile still held; called once at shut-down.
  void unloadAll();
};
