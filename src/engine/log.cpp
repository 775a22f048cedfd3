#include "engine/log.h"

#include <allegro.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "engine/game_paths.h"

namespace {

const int kFatalExitStatus = 1;
// Room kept for the log on disk from its first line, so that the lines
// telling of a full disk (a save that failed) can still be written then.
const off_t kReservedLogBytes = 64 * 1024;

std::ofstream logStream;
bool logOpened = false;
std::string fatalMessage = "FATAL ERROR";
bool fatalMode = false;

void allegroMessageBox(const std::string& text) {
  // Never pass the text as the format: messages may contain '%'.
  allegro_message("%s", text.c_str());
}

MessageBoxFunction messageBox = allegroMessageBox;

// Allocates the log's blocks ahead without changing its length; a file
// system that cannot do so just goes without.
void reserveLogSpace(const char* path) {
  int fd = ::open(path, O_WRONLY);
  if (fd < 0) return;
  (void)::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, kReservedLogBytes);
  ::close(fd);
}

}  // namespace

void log(const std::string& message, bool isError) {
  if (!logOpened) {
    logOpened = true;
    std::string path = userFile("debug.log");
    logStream.open(path, std::ios::out | std::ios::trunc);
    if (logStream) reserveLogSpace(path.c_str());
  }
  logStream << message << '\n';
  logStream.flush();
  if (!isError) return;
  if (fatalMode) {
    messageBox(fatalMessage);
    allegro_exit();
    std::exit(kFatalExitStatus);
  }
  messageBox(message);
}

void logInfo(const std::string& message) { log(message, false); }

void setFatalMessage(const std::string& text) { fatalMessage = text; }

void setFatalMode(bool on) { fatalMode = on; }

void setMessageBoxFunction(MessageBoxFunction function) {
  messageBox = function ? function : allegroMessageBox;
}
