#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/drawable.h"
#include "engine/input_map.h"

struct FONT;
class MenuEntry;
class KeyCaptureEntry;
class SliderEntry;
class TextInputEntry;
class ToggleEntry;

// A drawable that shows one named page of selectable lines at a time. The
// keys (Up, Down, Enter/Space) or the mouse move the highlight and activate
// lines; "LINKTO:" + page switches pages, any other action goes to
// actionHandler. The menu owns every line of every page.
class Menu : public Drawable, public InputMap {
 public:
  using ActionHandler = std::function<void(const std::string& action)>;

  std::map<std::string, std::vector<MenuEntry*>> pages;  // owning
  std::vector<MenuEntry*> shown;  // the current page's lines, also the children
  int current = 0;
  std::string pendingLink;  // page shown at the start of the next update
  ActionHandler actionHandler;
  std::string activateSound, moveSound;  // effect names; empty is silent
  int lineSpacing = 0;                    // extra pixels between lines
  int lineColour = -1;                    // label colour of the kinds' adders; -1 = the font's
  int hoverWidth = 0;                     // mouse hit width of text lines; 0 = text width
  bool inputLocked = false;
  bool mouseLocked = false;
  bool activateOnPress = true;  // false: activate on release
  // Escape activates the shown page's "Back" line. Ignored while a line
  // captures keys (the menu's input is locked then).
  bool escapeGoesBack = false;
  bool mouseMoved = false;
  int lastMouseX = 0, lastMouseY = 0;

  Menu();
  ~Menu() override;

  // Shows the named page with the highlight on its first line; an unknown
  // name is reported and leaves the menu empty.
  void showPage(const std::string& name);
  // Highlights line (with the move sound), unhighlights the others and makes
  // it current. Lines not on the shown page are ignored.
  void selectEntry(MenuEntry* line);
  void onAction(const std::string& name, bool pressed) override;
  // Once per frame while visible: page link, keys, tweens, then the lines.
  void step(float dt) override;

  // Hooks for derived menus; the base does nothing.
  virtual void onPageShown(const std::string& name);
  virtual void onHighlightMoved(int from, int to);
  // Activation: plays activateSound, then queues a "LINKTO:" page switch or
  // hands the action to actionHandler.
  virtual void executeAction(const std::string& action);

  // Adders: each makes a line, lays it out below the page's other lines and
  // appends it, creating the page when needed. A null font is the game font.
  MenuEntry* addEntry(const std::string& page, const std::string& label,
                      const std::string& action, FONT* labelFont, int colour, int id);
  // Empty onText/offText mean "On"/"Off"; listener runs after each flip.
  ToggleEntry* addToggle(const std::string& page, const std::string& label,
                         const std::string& action, bool* target, const std::string& onText,
                         const std::string& offText, std::function<void()> listener = {});
  SliderEntry* addSlider(const std::string& page, const std::string& label, int initial,
                         int maximum, std::function<void(int)> onChange,
                         const std::string& action);
  // Rebinds actionName of bindings to the next accepted key pressed.
  KeyCaptureEntry* addKeyCapture(const std::string& page, const std::string& label,
                                 InputMap* bindings, const std::string& actionName,
                                 const std::string& action);
  TextInputEntry* addTextInput(std::string* target, const std::string& page,
                               const std::string& label, const std::string& action,
                               int textOffsetX);
  // Takes a line of any kind made by the caller, in the menu's line colour.
  MenuEntry* addLine(const std::string& page, MenuEntry* line, const std::string& label,
                     const std::string& action);

  // Plays a menu effect through the engine's sound manager, if any.
  void playThrottled(const std::string& name, float cooldownS);

 private:
  void refreshHighlight(bool withSound);
  void moveHighlight(int direction);
  void activateCurrent();
  void activateBackLine();
  void updateLines(float dt);
  void trackMouse();
  MenuEntry* place(const std::string& page, MenuEntry* line, const std::string& label);

  int pageSerial = 0;  // bumped by showPage, so a line update can see a switch
};
