#pragma once

class LevelTileMap;

// Builds level levelNumber of "lvl/levels.dat" into the game object: tiles,
// player start, actors and treasures, then shapes the walls. False (and
// logged) when the level's picture is missing.
bool loadLevel(int levelNumber);

// Gives tileLayer the tile set of the current level; levels without one
// keep a layer that draws nothing.
void loadTiles(LevelTileMap& tileLayer);

// Turns every plain wall tile (id 0) of the main layer into a block, a run
// end or middle, or a column top, middle or bottom after its neighbours.
void shapeWalls();

// The object index of a level number in "lvl/levels.dat".
int levelObjectIndex(int levelNumber);
