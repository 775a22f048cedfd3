#include "engine/log.h"

#include <allegro.h>

#include <cstdlib>
#include <fstream>

namespace {

std::ofstream logStream;
bool logOpened = false;
std::string fatalMessage = "FATAL ERROR";
bool fatalMode = false;

void allegroMessageBox(const std::string& text) {
  // Never pass the text as the format: messages may contain '%'.
  allegro_message("%s", text.c_str());
}

MessageBoxFunction messageBox = allegroMessageBox;

}  // namespace

void log(const std::string& message, bool isError) {
  if (!logOpened) {
    logOpened = true;
    logStream.open("debug.log", std::ios::out | std::ios::trunc);
  }
  logStream << message << '\n';
  logStream.flush();
  if (!isError) return;
  if (fatalMode) {
    messageBox(fatalMessage);
    allegro_exit();
    std::exit(0);
  }
  messageBox(message);
}

void logInfo(const std::string& message) { log(message, false); }

void setFatalMessage(const std::string& text) { fatalMessage = text; }

void setFatalMode(bool on) { fatalMode = on; }

void setMessageBoxFunction(MessageBoxFunction function) {
  messageBox = function ? function : allegroMessageBox;
}
