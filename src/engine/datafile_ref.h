#pragma once
#include <string>

struct DATAFILE;

// A counted handle on a cached datafile. Hands out entries by index; the
// last entry of an opened datafile is never handed out.
class DatafileRef {
 public:
  DATAFILE* current = nullptr;  // root, or a nested datafile
  DATAFILE* root = nullptr;
  std::string key;
  int lastIndex = 0;  // indices below it pass
  bool isLoaded = false;

  DatafileRef() = default;
  DatafileRef(const DatafileRef&) = delete;
  DatafileRef& operator=(const DatafileRef&) = delete;
  ~DatafileRef() { release(); }

  // Holds the datafile at path (relative to the cache's directory), cached
  // under key, or under the full path when key is empty. Releases first.
  void open(const std::string& path, const std::string& cacheKey = "");
  void release();
  // The object of entry index, or null (reported) when out of range.
  void* get(int index);
  // The type of entry index, or 0 (reported) when out of range.
  int typeOf(int index);
  bool checkIndex(int index);
  // Makes index lookups use nested datafile index of the root.
  void useSubDatafile(int index);

 private:
  void take(DATAFILE* datafile);
  void reportError(const std::string& reason) const;
};

// Entries before the end marker.
int datafileEntryCount(const DATAFILE* datafile);
