#include "engine/datafile_ref.h"

#include <allegro.h>

#include "engine/datafile_cache.h"
#include "engine/datafile_check.h"
#include "engine/game_paths.h"
#include "engine/log.h"

int datafileEntryCount(const DATAFILE* datafile) {
  int count = 0;
  while (datafile && datafile[count].type != DAT_END) ++count;
  return count;
}

void DatafileRef::reportError(const std::string& reason) const {
  log("datafile [" + key + "] - " + reason, true);
}

void DatafileRef::take(DATAFILE* datafile) {
  DatafileCache& cache = DatafileCache::instance();
  current = root = datafile;
  cache.refCounts[key] += 1;
  int entries = datafileEntryCount(datafile);
  lastIndex = entries > 1 ? entries - 1 : 0;
  isLoaded = true;
}

void DatafileRef::open(const std::string& path, const std::string& cacheKey) {
  if (path.empty()) return;
  if (isLoaded) release();
  DatafileCache& cache = DatafileCache::instance();
  std::string full = cache.fullPath(path);
  std::string newKey = cacheKey.empty() ? full : cacheKey;
  auto cached = cache.loaded.find(newKey);
  if (cached != cache.loaded.end() && cached->second) {
    key = newKey;
    take(cached->second);
    return;
  }
  // The key stays the name inside the data folder, wherever that is.
  std::string file = dataFile(full);
  if (!exists(file.c_str())) {
    log("datafile [" + file + "] - file not found", true);
    return;
  }
  std::string reason;
  DATAFILE* datafile = loadCheckedDatafile(file, reason);
  if (!datafile) {
    logInfo("datafile [" + file + "] - " + reason);
    log("datafile [" + file + "] - cannot parse file", true);
    return;
  }
  cache.loaded[newKey] = datafile;
  cache.refCounts[newKey] = 0;
  key = newKey;
  take(datafile);
}

void DatafileRef::release() {
  if (!isLoaded || key.empty()) return;
  DatafileCache& cache = DatafileCache::instance();
  // A released handle is empty, so a later lookup is reported instead of
  // reading a datafile that may just have been unloaded.
  current = root = nullptr;
  lastIndex = 0;
  isLoaded = false;
  int& count = cache.refCounts[key];
  count -= 1;
  if (count == 0) cache.onLastRelease(key);
}

bool DatafileRef::checkIndex(int index) {
  if (!current) {
    reportError("trying to access unloaded datafile");
    return false;
  }
  if (index >= 0 && index < lastIndex) return true;
  reportError("index [" + std::to_string(index) + "] out of range");
  return false;
}

void* DatafileRef::get(int index) { return checkIndex(index) ? current[index].dat : nullptr; }

int DatafileRef::typeOf(int index) { return checkIndex(index) ? current[index].type : 0; }

void DatafileRef::useSubDatafile(int index) {
  if (!root) {
    reportError("trying to access unloaded datafile");
    return;
  }
  // Only a nested datafile of the root may become current.
  if (index < 0 || index >= datafileEntryCount(root) || root[index].type != DAT_FILE) {
    reportError("index [" + std::to_string(index) + "] out of range");
    return;
  }
  current = static_cast<DATAFILE*>(root[index].dat);
  lastIndex = datafileEntryCount(current);
}
