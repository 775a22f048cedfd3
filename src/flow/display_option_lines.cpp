#include "flow/display_option_lines.h"

#include <string>
#include <vector>

#include "engine/display_scaler.h"
#include "engine/gamepad.h"
#include "flow/game_app.h"
#include "menu/choice_entry.h"
#include "menu/menu.h"
#include "menu/pad_capture_entry.h"

namespace {

// A choice line over one setting: the text shown for each value.
struct SettingChoice {
  const char* label;
  const char* setting;
  std::vector<std::pair<float, const char*>> values;  // the first is the default
};

const SettingChoice kWindowSize = {"Window size",
                                   "windowsize",
                                   {{kWindowOneTimes, "1x"},
                                    {kWindowTwoTimes, "2x"},
                                    {kWindowThreeTimes, "3x"},
                                    {kWindowFit, "Fit"},
                                    {kWindowDesktopFull, "Full screen (desktop)"}}};
const SettingChoice kFrameRate = {
    "Frame rate", "maxfps", {{0.0f, "Unlimited"}, {60.0f, "60"}, {120.0f, "120"}, {144.0f, "144"}}};
const SettingChoice kWaitForScreen = {"Wait for the screen", "vsync", {{0.0f, "Off"}, {1.0f, "On"}}};
const SettingChoice kGhost = {"Ghost", "ghost", {{1.0f, "On"}, {0.0f, "Off"}}};

const struct {
  const char* label;
  const char* role;
} kPadLines[] = {{"Shoot", kPadShoot}, {"Jump", kPadJump}, {"Go back", kPadBack}, {"Menu", kPadMenu}};

GameApp& game() { return *GameApp::instance; }

// Index of the setting's value; a value no choice has (a hand-edited file)
// shows as "Other" until a choice is made.
int valueIndex(const SettingChoice& choice) {
  float value = game().settingOr(choice.setting, choice.values.front().first);
  // "windowsize" 0 is a file from before the option: the frame's own size.
  if (value == 0.0f && &choice == &kWindowSize) value = kWindowOneTimes;
  for (size_t i = 0; i < choice.values.size(); ++i) {
    if (choice.values[i].first == value) return static_cast<int>(i);
  }
  return -1;
}

void addChoice(Menu& menu, const std::string& page, const SettingChoice& choice,
               std::function<void()> afterChange) {
  std::vector<std::string> texts;
  for (const auto& value : choice.values) texts.push_back(value.second);
  auto* line = new ChoiceEntry(
      texts, [&choice] { return valueIndex(choice); },
      [&choice, afterChange](int index) {
        game().settings[choice.setting] = choice.values[index].first;
        if (afterChange) afterChange();
      });
  menu.addLine(page, line, choice.label, "");
}

void reopenWindow() {
  GameApp& app = game();
  app.applyWindowSize();
  app.onDisplayModeChanged();
}

}  // namespace

void addDisplayPage(Menu& menu) {
  addChoice(menu, "Display", kWindowSize, reopenWindow);
  addChoice(menu, "Display", kFrameRate, nullptr);
  addChoice(menu, "Display", kWaitForScreen, nullptr);
  menu.addEntry("Display", "Back", "LINKTO:Options", nullptr, -1, 0);
}

void addGhostLine(Menu& menu, const std::string& page) { addChoice(menu, page, kGhost, nullptr); }

void addGamepadPage(Menu& menu) {
  for (const auto& line : kPadLines) {
    menu.addLine("Gamepad", new PadCaptureEntry(&Gamepad::instance(), line.role), line.label, "");
  }
  menu.addEntry("Gamepad", "Reset", "resetPadConfig", nullptr, -1, 0);
  menu.addEntry("Gamepad", "Back", "savePadConfig", nullptr, -1, 0);
}
