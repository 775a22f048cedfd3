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
  // Unloads every datafile still held or kept; called once at shut-down.
  void unloadAll();

  // While kept, a datafile whose last handle lets go stays loaded (idle),
  // so that the next open of it costs nothing; turning it off unloads the
  // idle ones.
  void keepIdle(bool keep);
  bool keepsIdle() const { return keeping; }
  // Unloads every datafile no handle holds.
  void releaseIdle();
  // Called by the handle whose release left key without holders.
  void onLastRelease(const std::string& key);

 private:
  bool keeping = false;

  void unloadEntry(const std::string& key, bool logAsIdle);
};
