#pragma once
#include <array>
#include <string>

// The four lines of the in-game help for a level ("helpText" screen); lines
// a level does not use are empty. fireKey is the name of the key bound to
// "fire", requiredCoins the coins the level asks for.
std::array<std::string, 4> helpLines(int level, int requiredCoins, const std::string& fireKey);
