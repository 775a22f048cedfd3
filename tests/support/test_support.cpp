#include "support/test_support.h"

#include <allegro.h>

#include <fstream>
#include <sstream>

namespace testsupport {

std::vector<std::string>& messageBoxTexts() {
  static std::vector<std::string> texts;
  return texts;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

std::vector<std::string> logLines() {
  std::vector<std::string> lines;
  std::istringstream in(readFile("debug.log"));
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

void initAllegroNoDisplay(int depth) {
  install_allegro(SYSTEM_NONE, &errno, atexit);
  set_color_depth(depth);
}

MemoryDisplay::MemoryDisplay(int width, int height) {
  bitmap = create_bitmap(width, height);
  ::screen = bitmap;
}

MemoryDisplay::~MemoryDisplay() {
  if (::screen == bitmap) ::screen = nullptr;
  destroy_bitmap(bitmap);
}

std::string gameDir() { return TIDEWELL_GAME_DIR; }
std::string sourceDir() { return TIDEWELL_SOURCE_DIR; }

}  // namespace testsupport
