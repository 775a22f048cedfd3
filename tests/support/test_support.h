#pragma once
#include <string>
#include <vector>

// Shared helpers for the test executables. Every test process starts in a
// fresh empty working directory (made by the test main), so "debug.log",
// "settings.cfg" and the other files the game writes never collide.
namespace testsupport {

// Messages that reached the message box during this process.
std::vector<std::string>& messageBoxTexts();

// Lines of "debug.log" in the working directory.
std::vector<std::string> logLines();

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);

// Starts Allegro without a display: memory bitmaps and the key array work.
// depth is the colour depth for new bitmaps.
void initAllegroNoDisplay(int depth = 16);

// The baked game folder of this build (dat/, sfx/, mus/, credits.txt).
std::string gameDir();
// The repository root.
std::string sourceDir();
// The fresh working directory of this test process.
std::string workDir();

}  // namespace testsupport
