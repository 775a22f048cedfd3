#pragma once
#include <string>

#include "level_compiler.h"

namespace levels {

// What a level needs before the game may play it:
// - exactly one player start;
// - a treasure chest, on every level whose completion waits for one (all
//   of them but the dance game, 1002, which brings its own chest);
// - the start and every chest inside the walls;
// - in levels 0-19, every reward clear of the creatures (rewardsClear).
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

// Rewards are chests, gems and clam pearls; creatures are the cells of every
// actor that can hurt the fish: crab, angler, eel, jellyfish, clam, mrpuffer,
// pirate fish, sleepy fish, dolphin, sharky, seagull, spikes, sentinel,
// cannon, explosive crate, leviathan and swordfish. A reward is not clear
// when it lies within two cells (Chebyshev distance) of a creature's cell,
// or when it lies within five cells of the player start and in a creature's
// sweep, the cells it reaches from its start, walls being the only stops:
// - crab: its floor, the run of its row along cells with wall under them;
// - angler, eel: the run of its row both ways;
// - sleepy fish, cannon, sentinel facing left: the row leftwards;
//   sentinel facing right: the row rightwards;
// - jellyfish: the run of its column through cells without a main tile;
// - pirate fish: its slides left, up, right, down, twice over;
// - dolphin: its row rightwards, then at each wall up a cell and back along
//   the next row while the cell above is open, until row 1 (where it
//   leaves) or a row it cannot leave (which it then swims both ways);
// - seagull: the run of its row, and below each cell of it the column down
//   to the floor;
// - spikes: their own cell; the others stay put (their reach is the two cells).
// A clam's own pearl is not checked against that clam.
// The first reward not clear fails, as checkLevel does.
bool rewardsClear(const std::string& file, const LevelPicture& picture, std::string& error);

}  // namespace levels
