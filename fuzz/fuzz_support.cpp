#include "fuzz_support.h"

#include <allegro.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

void startFuzzing() {
  install_allegro(SYSTEM_NONE, &errno, atexit);
  // Memory-backed when the machine has it: the progress target saves each run.
  char pattern[] = "/dev/shm/tidewell-fuzz-XXXXXX";
  char fallback[] = "/tmp/tidewell-fuzz-XXXXXX";
  const char* folder = mkdtemp(pattern);
  if (!folder) folder = mkdtemp(fallback);
  if (!folder || chdir(folder) != 0 || symlink("/dev/null", "debug.log") != 0) {
    std::perror("fuzz scratch folder");
    std::abort();
  }
}

void require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

std::string textOf(const unsigned char* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}
