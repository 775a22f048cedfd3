#pragma once
#include <string>

class Menu;

// The options page's lines for the window ("Window size"), the frame cap
// ("Frame rate", the "maxfps" setting) and "Wait for the screen" (vsync).
// Each choice takes effect at once; "Back" saves the settings.
void addDisplayOptionLines(Menu& menu, const std::string& page);

// The "Gamepad" page: a capture line per button role, "Reset" and "Back"
// (which saves the buttons to the profile).
void addGamepadPage(Menu& menu);
