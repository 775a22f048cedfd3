#include "engine/safe_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

std::string temporaryPathFor(const std::string& path) { return path + ".tmp"; }

bool commitTemporaryFile(const std::string& temporaryPath, const std::string& path) {
  int fd = ::open(temporaryPath.c_str(), O_RDONLY);
  if (fd < 0) return false;
  bool synced = ::fsync(fd) == 0;
  ::close(fd);
  if (!synced || std::rename(temporaryPath.c_str(), path.c_str()) != 0) {
    std::remove(temporaryPath.c_str());
    return false;
  }
  return true;
}

bool writeFileSafely(const std::string& path, const std::string& contents) {
  std::string temporary = temporaryPathFor(path);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << contents;
    out.flush();
    if (!out) {
      out.close();
      std::remove(temporary.c_str());
      return false;
    }
  }
  return commitTemporaryFile(temporary, path);
}
