#pragma once
#include <string>

class Menu;

// The "Music" and "SFX" sliders and the "Water Effect" toggle, shared by the
// title's options and the in-game menu's.
void addSoundAndWaterLines(Menu& menu, const std::string& page);
