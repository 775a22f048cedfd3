#pragma once
#include <string>

class GameApp;
struct BITMAP;

namespace levels {

// Enters level `number` in the game and draws it whole, as the game builds
// it on entry: both tile layers, the creatures and treasures where the
// loader puts them, and a ring round the player's start; no backdrop,
// banners or heads-up display. Half size, or a quarter for levels wider
// than 100 cells. The caller owns the bitmap.
BITMAP* drawLevelPreview(GameApp& app, int number);

// Writes the bitmap as a PNG; false when the file cannot be written.
bool writePng(BITMAP* picture, const std::string& path);

}  // namespace levels
