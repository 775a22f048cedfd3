#include "engine/gamepad.h"

#include <allegro.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "engine/log.h"

const char* const kPadShoot = "shoot";
const char* const kPadJump = "jump";
const char* const kPadBack = "back";
const char* const kPadMenu = "menu";

namespace {

const struct {
  const char* role;
  int button;
} kDefaultButtons[] = {{kPadShoot, 0}, {kPadJump, 2}, {kPadBack, 1}, {kPadMenu, 7}};

const int kNoDirection = -1;

// What the pad holds: a stick direction (0 left, 1 right, 2 up, 3 down) or
// a role's button, standing for a fixed key and for the codes of one of the
// player's actions.
const struct {
  int direction;
  const char* role;
  int keyCode;
  const char* playerAction;
} kStandsFor[] = {
    {0, nullptr, KEY_LEFT, "left"},   {1, nullptr, KEY_RIGHT, "right"},
    {2, nullptr, KEY_UP, "up"},       {3, nullptr, KEY_DOWN, "down"},
    {kNoDirection, kPadShoot, KEY_ENTER, "fire"}, {kNoDirection, kPadShoot, KEY_SPACE, nullptr},
    {kNoDirection, kPadJump, KEY_UP, "up"},       {kNoDirection, kPadBack, KEY_ESC, nullptr},
    {kNoDirection, kPadMenu, KEY_ESC, nullptr},
};

// A stick whose axes rest within this of the centre (Allegro's -128..128)
// when the pad is found steers; triggers rest at one end and must not.
const int kRestSlack = 32;
const float kUnplugCheckS = 1.0f;
// Where the joystick driver finds pad 0.
const char* const kPadDevices[] = {"/dev/input/js0", "/dev/js0"};

bool isPadButtonCode(int code) {
  return code >= kJoystickButtonBase && code < kJoystickButtonBase + kJoystickButtons;
}

}  // namespace

bool gamepadPresent() { return num_joysticks > 0; }

Gamepad& Gamepad::instance() {
  static Gamepad pad;
  return pad;
}

Gamepad::Gamepad() { bindDefaultButtons(); }

void Gamepad::bindDefaultButtons() {
  unbindAll();
  for (const auto& row : kDefaultButtons) bindKey(row.role, kJoystickButtonBase + row.button);
}

int Gamepad::button(const std::string& role) {
  auto found = bindings.find(role);
  if (found == bindings.end() || found->second.empty()) return -1;
  return found->second.front() - kJoystickButtonBase;
}

void Gamepad::setButton(const std::string& role, int newButton) {
  int old = button(role);
  for (auto& [other, codes] : bindings) {
    if (other != role && !codes.empty() && codes.front() == kJoystickButtonBase + newButton) {
      codes.front() = kJoystickButtonBase + old;
    }
  }
  unbind(role);
  bindKey(role, kJoystickButtonBase + newButton);
}

void Gamepad::loadButtons(const std::string& path) {
  bindDefaultButtons();
  load(path);
  // A key or a second button in a role's line would make it unreadable to
  // the options page; the role goes back to its default.
  for (const auto& row : kDefaultButtons) {
    std::vector<int>& codes = bindings[row.role];
    if (codes.size() == 1 && isPadButtonCode(codes.front())) continue;
    logInfo(path + ": no pad button for " + row.role + ", using the default");
    codes = {kJoystickButtonBase + row.button};
  }
}

void Gamepad::followPlayerKeys(InputMap& player) {
  playerKeys.clear();
  for (const auto& row : kStandsFor) {
    if (!row.playerAction) continue;
    auto found = player.bindings.find(row.playerAction);
    if (found == player.bindings.end()) continue;
    for (int code : found->second) {
      if (code >= 0 && code < kKeyCodeCount) playerKeys[row.playerAction].push_back(code);
    }
  }
}

bool Gamepad::directionDown(int direction) const {
  const JOYSTICK_INFO& pad = joy[0];
  for (int stick : steeringSticks) {
    if (stick >= pad.num_sticks || pad.stick[stick].num_axis < 2) continue;
    const JOYSTICK_AXIS_INFO& axis = pad.stick[stick].axis[direction / 2];
    if (direction % 2 == 0 ? axis.d1 : axis.d2) return true;
  }
  return false;
}

bool Gamepad::roleHeld(const std::string& role) {
  int b = button(role);
  return b >= 0 && b < joy[0].num_buttons && joy[0].button[b].b != 0;
}

bool Gamepad::holdsKey(int code) {
  if (!gamepadPresent()) return false;
  for (const auto& row : kStandsFor) {
    bool standsFor = row.keyCode == code;
    if (!standsFor && row.playerAction) {
      auto found = playerKeys.find(row.playerAction);
      if (found != playerKeys.end()) {
        for (int playerCode : found->second) standsFor = standsFor || playerCode == code;
      }
    }
    if (!standsFor) continue;
    if (row.role ? roleHeld(row.role) : directionDown(row.direction)) return true;
  }
  return false;
}

void Gamepad::pollDevice() {
  if (gamepadPresent()) poll_joystick();
}

bool Gamepad::anyButtonDown() const { return firstButtonDown() >= 0; }

int Gamepad::firstButtonDown() const {
  if (!gamepadPresent()) return -1;
  for (int b = 0; b < joy[0].num_buttons && b < kJoystickButtons; ++b) {
    if (joy[0].button[b].b) return b;
  }
  return -1;
}

void Gamepad::install() {
  driverTried = true;
  if (install_joystick(JOY_TYPE_AUTODETECT) != 0) num_joysticks = 0;
  noteRestingSticks();
  if (gamepadPresent()) logInfo("Gamepad found: " + std::to_string(joy[0].num_buttons) + " buttons");
}

void Gamepad::rescan() {
  if (!driverTried || simulated || gamepadPresent()) return;
  // No device file, no pad: entering a level stays free of driver work.
  if (!deviceStillThere()) return;
  remove_joystick();
  install();
}

void Gamepad::update(float dt) {
  if (!driverTried || simulated || !gamepadPresent()) return;
  unplugCheckTimer += dt;
  if (unplugCheckTimer < kUnplugCheckS) return;
  unplugCheckTimer = 0.0f;
  if (deviceStillThere()) return;
  // The driver keeps the last state it read; dropping it releases all.
  remove_joystick();
  num_joysticks = 0;
  logInfo("Gamepad unplugged");
}

bool Gamepad::deviceStillThere() const {
#ifdef __linux__
  for (const char* device : kPadDevices) {
    if (access(device, F_OK) == 0) return true;
  }
  return false;
#else
  return true;
#endif
}

void Gamepad::noteRestingSticks() {
  steeringSticks.clear();
  if (!gamepadPresent()) return;
  const JOYSTICK_INFO& pad = joy[0];
  for (int s = 0; s < pad.num_sticks && s < MAX_JOYSTICK_STICKS; ++s) {
    const JOYSTICK_STICK_INFO& stick = pad.stick[s];
    bool centred = stick.num_axis == 2 && std::abs(stick.axis[0].pos) <= kRestSlack &&
                   std::abs(stick.axis[1].pos) <= kRestSlack;
    if (s == 0 || centred) steeringSticks.push_back(s);
  }
}

void Gamepad::simulate(int buttons) {
  remove_joystick();  // a real driver must not poll the stand-in
  std::memset(&joy[0], 0, sizeof(joy[0]));
  joy[0].num_sticks = 1;
  joy[0].stick[0].num_axis = 2;
  joy[0].num_buttons = buttons;
  num_joysticks = 1;
  simulated = true;
  steeringSticks = {0};
}

void Gamepad::endSimulation() {
  std::memset(&joy[0], 0, sizeof(joy[0]));
  num_joysticks = 0;
  simulated = false;
  steeringSticks.clear();
}
