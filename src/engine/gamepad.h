#pragma once
#include <map>
#include <string>
#include <vector>

#include "engine/input_map.h"

// The roles of the pad's buttons, as named in the pad file.
extern const char* const kPadShoot;  // fires, activates menu lines (the fire key, Enter, Space)
extern const char* const kPadJump;   // hops (the Up key)
extern const char* const kPadBack;   // backs out (Escape)
extern const char* const kPadMenu;   // opens the in-game menu (Escape)

// Joystick 0 as the player's gamepad. Its stick and d-pad hold the arrow
// keys (and the player's own direction keys), its buttons hold the keys of
// their roles; so every key binding of the game answers the pad without
// knowing it. The roles' buttons are bindings of this map ("shoot" -> 9000
// + b), saved per profile in the key-binding line format.
class Gamepad : public InputMap {
 public:
  static Gamepad& instance();

  void onAction(const std::string&, bool) override {}

  // shoot 0, jump 2, back 1, menu 7: the south, west, east and start
  // buttons of most pads.
  void bindDefaultButtons();
  // The button of a role, or -1.
  int button(const std::string& role);
  // Gives role the button; a role that had it takes role's old button.
  void setButton(const std::string& role, int button);
  // The defaults, then the saved roles; a file that is missing or names no
  // pad button for a role keeps that role's default.
  void loadButtons(const std::string& path);
  void saveButtons(const std::string& path) const { save(path); }
  // The keys the player steers and shoots with, which the pad holds too.
  void followPlayerKeys(InputMap& player);

  // True while the pad holds the key (see the class comment).
  bool holdsKey(int code);
  // True while the role's button is down.
  bool roleHeld(const std::string& role);
  // Reads the pad's device, for loops that wait outside the main loop.
  void pollDevice();
  // True while any of the pad's buttons is down.
  bool anyButtonDown() const;
  // The lowest button down, or -1.
  int firstButtonDown() const;

  // Installs Allegro's joystick driver; no pad, or a failure, changes
  // nothing else. Once, at start.
  void install();
  // At each menu or level: a pad plugged in since is picked up.
  void rescan();
  // Once per pass: a pad whose device has gone is dropped, which releases
  // everything it held.
  void update(float dt);

  // Test seam: a pad with these buttons and one stick stands at joy[0]
  // until endSimulation; rescans and unplug checks leave it alone.
  void simulate(int buttons);
  void endSimulation();

 private:
  Gamepad();
  bool directionDown(int direction) const;
  void noteRestingSticks();
  bool deviceStillThere() const;

  bool driverTried = false;
  bool simulated = false;
  float unplugCheckTimer = 0.0f;  // seconds
  std::vector<int> steeringSticks;  // stick 0, and sticks centred at rest (the d-pad)
  std::map<std::string, std::vector<int>> playerKeys;  // action -> key codes
};

// True for a pad present at joy[0].
bool gamepadPresent();
