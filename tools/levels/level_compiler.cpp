#include "level_compiler.h"

#include <sstream>

namespace levels {
namespace {

const char kCommentMark = ';';
const int kStoryLevels = 50;
const int kFirstMiniGameLevel = 1000;
const int kMiniGameLevels = 4;

std::string position(const std::string& file, int line, int column) {
  return file + ":" + std::to_string(line) + ":" + std::to_string(column) + ": ";
}

bool readChannel(std::istringstream& in, uint8_t& channel) {
  int value = -1;
  if (!(in >> value) || value < 0 || value > 255) return false;
  channel = uint8_t(value);
  return true;
}

// Source lines without their line ends (files edited on Windows too).
std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

bool parseLegend(const std::string& text, Legend& legend, std::string& error) {
  std::vector<std::string> lines = splitLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty() || line[0] == kCommentMark) continue;
    char symbol = line[0];
    std::istringstream in(line.substr(1));
    bake::Rgb colour;
    if (!readChannel(in, colour.r) || !readChannel(in, colour.g) || !readChannel(in, colour.b)) {
      error = "legend line " + std::to_string(i + 1) + ": expected CHAR R G B (0-255)";
      return false;
    }
    if (legend.count(symbol)) {
      error = "legend line " + std::to_string(i + 1) + ": '" + std::string(1, symbol) + "' given twice";
      return false;
    }
    legend[symbol] = colour;
  }
  return true;
}

bool parseLevel(const std::string& file, const std::string& text, const Legend& legend,
                LevelPicture& picture, std::string& error) {
  std::vector<std::string> lines = splitLines(text);
  std::vector<std::pair<int, std::string>> rows;  // (line number, row)
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].empty() && lines[i][0] == kCommentMark) continue;
    // Trailing blank lines end the picture; blank rows inside it are rows.
    rows.emplace_back(int(i) + 1, lines[i]);
  }
  while (!rows.empty() && rows.back().second.empty()) rows.pop_back();
  if (rows.empty()) {
    error = position(file, 1, 1) + "no rows";
    return false;
  }
  picture.width = int(rows[0].second.size());
  picture.height = int(rows.size());
  if (picture.width == 0) {
    error = position(file, rows[0].first, 1) + "empty first row";
    return false;
  }
  if (picture.width > kMaxColumns || picture.height > kMaxRows) {
    error = position(file, rows[0].first, 1) + "level is " + std::to_string(picture.width) + " x " +
            std::to_string(picture.height) + " cells, more than " + std::to_string(kMaxColumns) +
            " x " + std::to_string(kMaxRows);
    return false;
  }
  picture.pixels.clear();
  picture.rowLines.clear();
  for (const auto& [lineNumber, row] : rows) {
    picture.rowLines.push_back(lineNumber);
    if (int(row.size()) != picture.width) {
      error = position(file, lineNumber, int(row.size()) + 1) + "row is " + std::to_string(row.size()) +
              " cells wide, the first row " + std::to_string(picture.width);
      return false;
    }
    for (size_t x = 0; x < row.size(); ++x) {
      auto found = legend.find(row[x]);
      if (found == legend.end()) {
        error = position(file, lineNumber, int(x) + 1) + "unknown cell '" + std::string(1, row[x]) + "'";
        return false;
      }
      picture.pixels.push_back(found->second);
    }
  }
  return true;
}

std::vector<int> levelNumbers() {
  std::vector<int> numbers;
  for (int i = 0; i < kStoryLevels; ++i) numbers.push_back(i);
  for (int i = 0; i < kMiniGameLevels; ++i) numbers.push_back(kFirstMiniGameLevel + i);
  return numbers;
}

std::string sourceName(int number) {
  std::string digits = std::to_string(number);
  if (digits.size() < 2) digits = "0" + digits;
  return "level" + digits + ".txt";
}

bake::DatObject levelObject(int number, const LevelPicture& picture) {
  bake::DatObject object = bake::makeNamed(bake::kTypeBitmap, "LEVEL_" + std::to_string(number));
  object.data = bake::encodeBitmap24(picture.width, picture.height, picture.pixels);
  return object;
}

bake::DatObject infoObject(size_t levelCount) {
  bake::DatObject info = bake::makeNamed(bake::kTypeData, "info");
  const std::string text = "Tidewell Quest lvl/levels.dat: " + std::to_string(levelCount) + " levels\n";
  info.data.assign(text.begin(), text.end());
  return info;
}

}  // namespace levels
