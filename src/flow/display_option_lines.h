#pragma once
#include <string>

class Menu;

// The options' "Display" page: "Window size", "Frame rate" (the "maxfps"
// setting) and "Wait for the screen" (vsync), each in force at once and
// saved with the other settings by the options' "Back"; then "Back".
void addDisplayPage(Menu& menu);

// "Ghost": whether a level's kept run swims beside the player (the "ghost"
// setting, On when missing), saved with the other settings.
void addGhostLine(Menu& menu, const std::string& page);

// The "Gamepad" page, reached from the key configuration: a capture line
// per button role, "Reset" and "Back" (which saves the buttons to the
// profile).
void addGamepadPage(Menu& menu);
