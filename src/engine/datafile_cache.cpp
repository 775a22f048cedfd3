#include "engine/datafile_cache.h"

#include <allegro.h>

#include "engine/log.h"
#include "engine/prepared_art.h"

DatafileCache& DatafileCache::instance() {
  static DatafileCache cache;
  return cache;
}

std::string DatafileCache::fullPath(const std::string& path) const {
  if (path.find(directory) != std::string::npos) return path;
  return directory + path;
}

void DatafileCache::unloadEntry(const std::string& key, bool logAsIdle) {
  DATAFILE*& datafile = loaded[key];
  if (!datafile) return;
  logInfo(logAsIdle ? "unloading " + key : key);
  forgetPreparedArt(datafile);
  unload_datafile(datafile);
  datafile = nullptr;
}

void DatafileCache::unloadAll() {
  for (auto& [key, datafile] : loaded) {
    int& count = refCounts[key];
    if (count == 0 && datafile) unloadEntry(key, true);  // kept idle
    if (count == 0) continue;
    count = 0;
    unloadEntry(key, false);
  }
  loaded.clear();
  refCounts.clear();
}

void DatafileCache::keepIdle(bool keep) {
  keeping = keep;
  if (!keep) releaseIdle();
}

void DatafileCache::releaseIdle() {
  for (auto& [key, datafile] : loaded) {
    if (datafile && refCounts[key] == 0) unloadEntry(key, true);
  }
}

void DatafileCache::onLastRelease(const std::string& key) {
  if (!keeping) unloadEntry(key, true);
}
