#pragma once
#include <string>
#include <vector>

struct BITMAP;

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

// Stands in for the display: Allegro's `screen` points at a memory bitmap
// of the given size while this lives, so flips can be read back.
class MemoryDisplay {
 public:
  explicit MemoryDisplay(int width = 800, int height = 600);
  ~MemoryDisplay();
  MemoryDisplay(const MemoryDisplay&) = delete;
  MemoryDisplay& operator=(const MemoryDisplay&) = delete;
  BITMAP* bitmap = nullptr;
};

// The baked game folder of this build (dat/, sfx/, mus/, credits.txt).
std::string gameDir();
// The repository root.
std::string sourceDir();
// The fresh working directory of this test process.
std::string workDir();

}  // namespace testsupport
