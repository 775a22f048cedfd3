#pragma once
#include <list>
#include <map>
#include <string>
#include <vector>

// Input codes: Allegro key scancodes 0..118, kAnyKey, joystick 0 directions
// (kJoystickDirectionBase + d) and buttons (kJoystickButtonBase + b), and
// negated mouse button masks (-1 left, -2 right, -4 middle).
const int kKeyCodeCount = 119;
const int kAnyKey = 4059;
const int kJoystickDirectionBase = 8000;
const int kJoystickButtonBase = 9000;

// Binds named actions to input codes and reports every change of a bound
// input through onAction: once when it goes down, once when it comes up.
class InputMap {
 public:
  std::map<std::string, std::vector<int>> bindings;
  std::map<int, bool> states;  // last seen state, shared by every action on a code
  bool changed = false;        // bindings removed: a poll in progress stops
  bool enabled = true;

  InputMap() = default;
  InputMap(const InputMap&) = delete;
  InputMap& operator=(const InputMap&) = delete;
  virtual ~InputMap() = default;
  virtual void onAction(const std::string& name, bool pressed) = 0;

  void bindKey(const std::string& action, int code);
  // No-ops when no joystick is present.
  void bindJoystickButton(const std::string& action, int button);
  void bindJoystickDirection(const std::string& action, int direction);
  void unbind(const std::string& action);
  void unbindAll();
  bool isDown(const std::string& action);
  // The first code bound to the action, or -1 (logged) when it has none.
  int firstCode(const std::string& action);
  // Reads every bound input and calls onAction for each change; called once
  // per pass by the owner.
  void poll();
  void save(const std::string& path) const;
  // Changes only actions that already exist; stops at the first bad read.
  void load(const std::string& path);
};

// Reads the current state of one input code.
bool inputCodeDown(int code);

// A short display name for a code: "A".."Z", "Enter", "Space", arrows, or
// the number itself.
std::string keyName(int code);
