#include "engine/datafile_cache.h"

#include <allegro.h>

#include "engine/log.h"

DatafileCache& DatafileCache::instance() {
  static DatafileCache cache;
  return cache;
}

std::string DatafileCache::fullPath(const std::string& path) const {
  if (path.find(directory) != std::string::npos) return path;
  return directory + path;
}

void DatafileCache::unloadAll() {
  for (auto& [key, datafile] : loaded) {
    int& count = refCounts[key];
    if (count == 0) continue;
    count = 0;
    logInfo(key);
    if (datafile) unload_datafile(datafile);
  }
  loaded.clear();
  refCounts.clear();
}
