#pragma once
#include <iosfwd>
#include <list>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/key_events.h"

// Input codes: Allegro key scancodes 0..118, kAnyKey, joystick 0 directions
// (kJoystickDirectionBase + d) and buttons (kJoystickButtonBase + b), and
// negated mouse button masks (-1 left, -2 right, -4 middle).
const int kKeyCodeCount = 119;
const int kAnyKey = 4059;
const int kJoystickDirectionBase = 8000;
const int kJoystickButtonBase = 9000;
const int kJoystickDirections = 4;  // left, right, up, down
const int kJoystickButtons = 32;    // Allegro's MAX_JOYSTICK_BUTTONS
const int kMouseButtonMasks = 7;    // -1 .. -7: left, right, middle and their mixes
const int kMaxCodesPerAction = 64;

// Binds named actions to input codes and reports every change of a bound
// input through onAction: once when it goes down, once when it comes up.
class InputMap {
 public:
  std::map<std::string, std::vector<int>> bindings;
  std::map<int, bool> states;  // last seen state, shared by every action on a code
  bool changed = false;        // bindings removed: a poll in progress stops
  bool enabled = true;
  // Key events already reported, by key code (see key_events.h).
  std::map<int, KeyTally> keyEventsSeen;
  // Keys down when ignoreHeldInputs ran: they count as up until let go.
  std::set<int> heldOver;
  unsigned lastPollPass = 0;  // keyPassSerial of the last poll

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
  // per pass by the owner. A key that went down and up since the last poll
  // is reported as pressed and released; key events of passes in which the
  // map was not polled are dropped.
  void poll();
  // Forgets what happened so far: keys down now report nothing until they
  // have been let go and pressed again, and presses not yet reported are
  // dropped. For a map that an overlay silenced.
  void ignoreHeldInputs();
  void save(const std::string& path) const;
  // Changes only actions that already exist, one line ("action count codes")
  // at a time; a line that is short, too long or holds a code the map does
  // not know is skipped whole and logged with its source and line number.
  void load(const std::string& path);
  void load(std::istream& in, const std::string& source);

 private:
  // Reports the key events and the level of a key code since the last
  // poll; false when a handler changed the bindings.
  bool reportKeyChanges(const std::string& action, int code);
  void markKeyEventsSeen(int code);
  void dropMissedKeyEvents();
};

// True for the codes a binding may hold: keys 0..118, the any-key code,
// joystick 0's directions and buttons, and the mouse button masks.
bool isKnownInputCode(long long code);

// Reads one line of a key file; false unless it holds an action, a count
// of 1..kMaxCodesPerAction and exactly that many known codes.
bool parseBindingLine(const std::string& line, std::string& action, std::vector<int>& codes);

// Reads the current state of one input code.
bool inputCodeDown(int code);

// A short display name for a code: "A".."Z", "Enter", "Space", arrows, or
// the number itself.
std::string keyName(int code);
