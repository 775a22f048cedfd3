#include "engine/input_map.h"

#include <allegro.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "engine/gamepad.h"
#include "engine/log.h"
#include "engine/safe_file.h"

namespace {

bool anyKeyDown() {
  for (int code = 0; code < kKeyCodeCount; ++code) {
    if (key[code]) return true;
  }
  return Gamepad::instance().anyButtonDown();
}

// A key code that reads down, or came up, while its key is up: the pad
// pressed or released it. One pad press can hold several keys of one
// action (Enter and Space), and must still report once.
bool changedByPad(int code) {
  return gamepadPresent() && code >= 0 && code < kKeyCodeCount && !key[code];
}

bool joystickDirectionDown(int direction) {
  if (num_joysticks <= 0 || direction < 0 || direction > 3) return false;
  const JOYSTICK_AXIS_INFO& axis = joy[0].stick[0].axis[direction / 2];
  return (direction % 2 == 0) ? axis.d1 : axis.d2;
}

bool joystickButtonDown(int button) {
  if (num_joysticks <= 0 || button < 0 || button >= joy[0].num_buttons) return false;
  return joy[0].button[button].b != 0;
}

void bindJoystickCode(InputMap& map, const std::string& action, int code) {
  if (num_joysticks == 0) return;
  map.bindings[action].push_back(code);
  map.states[code] = inputCodeDown(code);
}

bool isKeyboardCode(int code) { return (code >= 0 && code < kKeyCodeCount) || code == kAnyKey; }

// A key reads down when the keyboard holds it or the pad does; the pad
// never writes Allegro's key array.
bool keyOrPadLevel(int code) {
  if (keyLevel(code)) return true;
  Gamepad& pad = Gamepad::instance();
  return code == kAnyKey ? pad.anyButtonDown() : pad.holdsKey(code);
}

// The states a key went through between two tallies, oldest first.
std::vector<bool> keyStepsBetween(KeyTally seen, const KeyTally& now) {
  std::vector<bool> steps;
  for (;;) {
    bool down = !seen.down();  // presses and releases alternate
    unsigned& count = down ? seen.presses : seen.releases;
    if (count == (down ? now.presses : now.releases)) return steps;
    count += 1;
    steps.push_back(down);
  }
}

// The next word as a whole number with nothing after it, or false.
bool readCode(std::istringstream& words, long long& value) {
  std::string word;
  if (!(words >> word)) return false;
  errno = 0;
  char* end = nullptr;
  value = std::strtoll(word.c_str(), &end, 10);
  return end != word.c_str() && *end == '\0' && errno != ERANGE;
}

}  // namespace

bool isKnownInputCode(long long code) {
  if (code >= 0 && code < kKeyCodeCount) return true;
  if (code == kAnyKey) return true;
  if (code >= kJoystickDirectionBase && code < kJoystickDirectionBase + kJoystickDirections) return true;
  if (code >= kJoystickButtonBase && code < kJoystickButtonBase + kJoystickButtons) return true;
  return code < 0 && code >= -kMouseButtonMasks;
}

bool parseBindingLine(const std::string& line, std::string& action, std::vector<int>& codes) {
  std::istringstream words(line);
  long long count = 0;
  if (!(words >> action) || !readCode(words, count)) return false;
  // A binding with no code would leave the action dead.
  if (count < 1 || count > kMaxCodesPerAction) return false;
  codes.clear();
  for (long long i = 0; i < count; ++i) {
    long long code = 0;
    if (!readCode(words, code) || !isKnownInputCode(code)) return false;
    codes.push_back(static_cast<int>(code));
  }
  std::string extra;
  return !(words >> extra);
}

bool inputCodeDown(int code) {
  if (code == kAnyKey) return anyKeyDown();
  if (code >= kJoystickButtonBase) return joystickButtonDown(code - kJoystickButtonBase);
  if (code >= kJoystickDirectionBase) return joystickDirectionDown(code - kJoystickDirectionBase);
  if (code < 0) return ((-code) & mouse_b) != 0;
  if (code < kKeyCodeCount) return key[code] != 0 || Gamepad::instance().holdsKey(code);
  return false;
}

void InputMap::bindKey(const std::string& action, int code) {
  bindings[action].push_back(code);
  states[code] = (code >= 0 && code < kKeyCodeCount) ? keyOrPadLevel(code) : false;
  markKeyEventsSeen(code);
}

void InputMap::bindJoystickButton(const std::string& action, int button) {
  bindJoystickCode(*this, action, kJoystickButtonBase + button);
}

void InputMap::bindJoystickDirection(const std::string& action, int direction) {
  bindJoystickCode(*this, action, kJoystickDirectionBase + direction);
}

void InputMap::unbind(const std::string& action) {
  changed = true;
  auto found = bindings.find(action);
  if (found == bindings.end()) return;
  for (int code : found->second) {
    states.erase(code);
    keyEventsSeen.erase(code);
    heldOver.erase(code);
  }
  bindings.erase(found);
}

void InputMap::unbindAll() {
  changed = true;
  bindings.clear();
  states.clear();
  keyEventsSeen.clear();
  heldOver.clear();
}

bool InputMap::isDown(const std::string& action) {
  auto found = bindings.find(action);
  if (found == bindings.end()) return false;
  for (int code : found->second) {
    if (states[code]) return true;
  }
  return false;
}

int InputMap::firstCode(const std::string& action) {
  std::vector<int>& codes = bindings[action];
  if (codes.empty()) {
    logInfo("no action: " + action);
    return -1;
  }
  return codes.front();
}

void InputMap::poll() {
  if (!enabled) return;
  if (num_joysticks > 0) poll_joystick();
  changed = false;
  dropMissedKeyEvents();
  // The handler may change the bindings; `changed` ends the walk before the
  // iterators could go stale.
  for (auto& [action, codes] : bindings) {
    bool padReported = false;
    // By index: a handler may bind more codes to this very action.
    for (size_t i = 0; i < codes.size(); ++i) {
      int code = codes[i];
      if (isKeyboardCode(code)) {
        if (!reportKeyChanges(action, code, padReported)) return;
        continue;
      }
      bool down = inputCodeDown(code);
      bool& last = states[code];
      if (down == last) continue;
      last = down;
      std::string name = action;  // the handler may erase the entry
      onAction(name, down);
      if (changed) {
        changed = false;
        return;
      }
    }
  }
}

void InputMap::markKeyEventsSeen(int code) {
  if (!isKeyboardCode(code)) return;
  keyEventsSeen[code] = keyTally(code);
  if (lastPollPass == 0) lastPollPass = keyPassSerial();  // a new map counts from its first key
}

void InputMap::dropMissedKeyEvents() {
  unsigned pass = keyPassSerial();
  // Polled in this pass or the one before: nothing was missed.
  bool missed = pass - lastPollPass > 1;
  lastPollPass = pass;
  if (!missed) return;
  for (auto& [code, seen] : keyEventsSeen) seen = keyTally(code);
}

bool InputMap::reportKeyChanges(const std::string& action, int code, bool& padReported) {
  auto found = keyEventsSeen.find(code);
  // A code put in by load: its past is not news.
  if (found == keyEventsSeen.end()) found = keyEventsSeen.emplace(code, keyTally(code)).first;
  KeyTally now = keyTally(code);
  std::vector<bool> steps = keyStepsBetween(found->second, now);
  found->second = now;
  bool level = keyOrPadLevel(code);
  if (heldOver.count(code)) {
    if (steps.empty() && level) return true;
    heldOver.erase(code);  // let go: its release stays unreported
  }
  // The key array is written a moment before the event is queued, so the
  // level comes last and a step it already reported is skipped.
  steps.push_back(level);
  std::string name = action;  // the handler may erase the entry
  for (size_t i = 0; i < steps.size(); ++i) {
    bool down = steps[i];
    bool& last = states[code];
    if (last == down) continue;
    last = down;
    bool byPad = i + 1 == steps.size() && changedByPad(code);
    if (byPad && padReported) continue;
    padReported = padReported || byPad;
    onAction(name, down);
    if (changed) {
      changed = false;
      return false;
    }
  }
  return true;
}

void InputMap::ignoreHeldInputs() {
  lastPollPass = keyPassSerial();
  for (auto& [code, down] : states) {
    markKeyEventsSeen(code);
    if (!isKeyboardCode(code) || !keyOrPadLevel(code)) continue;
    down = false;
    heldOver.insert(code);
  }
}

void InputMap::save(const std::string& path) const {
  std::ostringstream out;
  for (const auto& [action, codes] : bindings) {
    out << action << ' ' << codes.size() << ' ';
    for (int code : codes) out << code << ' ';
    out << '\n';
  }
  writeFileSafely(path, out.str());
}

void InputMap::load(const std::string& path) {
  std::ifstream in(path);
  if (!in) return;
  load(in, path);
}

void InputMap::load(std::istream& in, const std::string& source) {
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::string action;
    std::vector<int> codes;
    if (!parseBindingLine(line, action, codes)) {
      logInfo(source + " line " + std::to_string(number) + " skipped: bad binding");
      continue;
    }
    auto found = bindings.find(action);
    if (found != bindings.end()) found->second = codes;
  }
}

std::string keyName(int code) {
  static const std::map<int, std::string> kNames = {
      {KEY_BACKSPACE, "Bckspc"}, {KEY_ENTER, "Enter"}, {KEY_SPACE, "Space"},
      {KEY_LEFT, "Left"},        {KEY_RIGHT, "Right"}, {KEY_UP, "Up"},
      {KEY_DOWN, "Down"}};
  if (code >= KEY_A && code <= KEY_Z) return std::string(1, static_cast<char>(64 + code));
  auto found = kNames.find(code);
  if (found != kNames.end()) return found->second;
  return std::to_string(code);
}
