#include "engine/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "engine/log.h"

std::string temporaryPathFor(const std::string& path) { return path + ".tmp"; }

void abandonTemporaryFile(const std::string& temporaryPath, const std::string& path,
                          const std::string& reason) {
  std::remove(temporaryPath.c_str());
  // Not an error report: in the game that would end the process, and a full
  // disk must not cost the player what is still in memory.
  logInfo("Could not save [" + path + "] - " + reason);
}

bool commitTemporaryFile(const std::string& temporaryPath, const std::string& path) {
  int fd = ::open(temporaryPath.c_str(), O_RDONLY);
  if (fd < 0) {
    abandonTemporaryFile(temporaryPath, path, std::strerror(errno));
    return false;
  }
  bool synced = ::fsync(fd) == 0;
  int syncError = errno;
  ::close(fd);
  if (!synced) {
    abandonTemporaryFile(temporaryPath, path, std::strerror(syncError));
    return false;
  }
  if (std::rename(temporaryPath.c_str(), path.c_str()) != 0) {
    abandonTemporaryFile(temporaryPath, path, std::strerror(errno));
    return false;
  }
  return true;
}

bool writeFileSafely(const std::string& path, const std::string& contents) {
  std::string temporary = temporaryPathFor(path);
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  if (!out) {
    abandonTemporaryFile(temporary, path, "cannot create " + temporary);
    return false;
  }
  out << contents;
  out.flush();
  bool written = static_cast<bool>(out);
  out.close();
  if (!written || out.fail()) {
    abandonTemporaryFile(temporary, path, "write failed");
    return false;
  }
  return commitTemporaryFile(temporary, path);
}

bool fileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

bool readTextFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = buffer.str();
  return true;
}
