#pragma once
#include <map>
#include <string>
#include <vector>

#include "datafile_writer.h"

namespace levels {

// The largest level the game's tile grid holds, in cells.
constexpr int kMaxColumns = 300;
constexpr int kMaxRows = 150;

// Character -> the colour the loader reads for that cell.
using Legend = std::map<char, bake::Rgb>;

// One level as a picture: a pixel per 80 x 80 cell.
struct LevelPicture {
  int width = 0;
  int height = 0;
  std::vector<bake::Rgb> pixels;  // row-major
  std::vector<int> rowLines;       // the source line of each row, from 1
};

// Parses the legend text: "CHAR R G B" per line; lines starting with ';'
// and anything after the colour are comments.
bool parseLegend(const std::string& text, Legend& legend, std::string& error);

// Parses a level source into its picture. Lines starting with ';' are
// comments; every other line is a row of cells. On failure error reads
// "file:line:column: reason".
bool parseLevel(const std::string& file, const std::string& text, const Legend& legend,
                LevelPicture& picture, std::string& error);

// Every level the game loads, in the order of its objects.
std::vector<int> levelNumbers();
// The source file of a level: "level07.txt", "level1000.txt".
std::string sourceName(int number);
// The level's picture as a 24-bit bitmap object named after it.
bake::DatObject levelObject(int number, const LevelPicture& picture);
// The trailing entry the game never hands out by index.
bake::DatObject infoObject(size_t levelCount);

}  // namespace levels
