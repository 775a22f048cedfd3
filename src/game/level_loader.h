#pragma once
#include <string>

class LevelTileMap;

// Builds level levelNumber of "lvl/levels.dat" into the game object: tiles,
// player start, actors and treasures, then shapes the walls. False (and
// logged, problem saying why) when the level's picture is missing or is no
// level: without a player start, or without a treasure chest (all but the
// dance game, which brings its own). What was built then is the caller's
// to tear down.
bool loadLevel(int levelNumber, std::string& problem);
bool loadLevel(int levelNumber);

// Gives tileLayer the tile set of the current level; levels without one
// keep a layer that draws nothing.
void loadTiles(LevelTileMap& tileLayer);

// Turns every plain wall tile (id 0) of the main layer into a block, a run
// end or middle, or a column top, middle or bottom after its neighbours.
void shapeWalls();

// The object index of a level number in "lvl/levels.dat".
int levelObjectIndex(int levelNumber);
