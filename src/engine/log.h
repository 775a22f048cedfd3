#pragma once
#include <string>

// Process-wide diagnostics: every line goes to "debug.log" in the player's
// folder (game_paths.h; the working directory in a game folder), truncated
// by the first line of each run. Errors show a message
// box; in fatal mode they end the process with status 1.

// Writes one line and flushes. An error shows a message box and, in fatal
// mode, shows the fatal message instead and exits the process.
void log(const std::string& message, bool isError);
void logInfo(const std::string& message);

void setFatalMessage(const std::string& text);
void setFatalMode(bool on);

// Test seam: replaces the message box (Allegro's allegro_message) so tests
// can run without a window waiting for a click. Null restores the default.
using MessageBoxFunction = void (*)(const std::string& text);
void setMessageBoxFunction(MessageBoxFunction function);
