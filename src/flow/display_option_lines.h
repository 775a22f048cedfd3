#pragma once

class Menu;

// The options' "Display" page: "Window size", "Frame rate" (the "maxfps"
// setting) and "Wait for the screen" (vsync), each in force at once and
// saved with the other settings by the options' "Back"; then "Back".
void addDisplayPage(Menu& menu);

// The "Gamepad" page, reached from the key configuration: a capture line
// per button role, "Reset" and "Back" (which saves the buttons to the
// profile).
void addGamepadPage(Menu& menu);
