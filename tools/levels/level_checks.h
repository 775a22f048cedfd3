#pragma once
#include <string>

#include "level_compiler.h"

namespace levels {

// What a level needs before the game may play it:
// - exactly one player start;
// - a treasure chest, on every level whose completion waits for one (all
//   of them but the dance game, 1002, which brings its own chest);
// - the start and every chest inside the walls.
//
// Inside the walls: every path from the cell through open cells (four-way
// steps over anything but wall) stays off the picture's outermost rows and
// columns. The game reads the cells past the picture's right and bottom
// edges as open water, so an open edge lets the player swim out of the
// level, and a level framed by wall is the rule.
//
// False on the first failure, with "file:line:column: reason" in error
// naming the cell (line and column of the level source).
bool checkLevel(const std::string& file, int number, const LevelPicture& picture, std::string& error);

}  // namespace levels
