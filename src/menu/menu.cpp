#include "menu/menu.h"

#include <allegro.h>

#include "engine/engine.h"
#include "engine/log.h"
#include "menu/key_capture_entry.h"
#include "menu/menu_entry.h"
#include "menu/slider_entry.h"
#include "menu/text_input_entry.h"
#include "menu/toggle_entry.h"
#include "sound/sound_manager.h"

namespace {

const float kActivateCooldownS = 0.5f;
const int kMenuSoundVolume = 255;
const int kMenuSoundPan = 128;
const int kMenuSoundPitch = 1000;
const char kLinkPrefix[] = "LINKTO:";
const char kBackLabel[] = "Back";
const size_t kLinkPrefixLength = sizeof(kLinkPrefix) - 1;
// A layer draws in order of y, but a menu's lines hang below the menu's own
// y: a panel or picture centred lower on the same layer would be drawn over
// them. The bias keeps every menu above what shares its layer.
const int kMenuDepthBias = 100000;

int gameFontHeight() {
  if (Engine::instance) return Engine::instance->textHeight(::font);
  return ::font ? text_height(::font) : 0;
}

}  // namespace

Menu::Menu() {
  depthBias = kMenuDepthBias;
  unbindAll();
  bindKey("down", KEY_DOWN);
  bindKey("up", KEY_UP);
  bindKey("activate", KEY_ENTER);
  bindKey("activate", KEY_SPACE);
  bindKey("back", KEY_ESC);
  // Seen from the start, so a mouse resting where the menu appears does not
  // count as a move on the first update.
  lastMouseX = mouse_x;
  lastMouseY = mouse_y;
}

Menu::~Menu() {
  children.clear();
  for (auto& page : pages) {
    for (MenuEntry* line : page.second) delete line;
  }
}

void Menu::showPage(const std::string& name) {
  for (MenuEntry* line : shown) {
    removeChild(line);
    line->onPageLeft();
  }
  shown.clear();
  ++pageSerial;
  auto found = pages.find(name);
  if (found == pages.end()) {
    log("Tried to link to non-existant menu [" + name + "]", true);
    return;
  }
  for (MenuEntry* line : found->second) {
    addChild(line);
    shown.push_back(line);
  }
  current = 0;
  refreshHighlight(false);
  onPageShown(name);
}

void Menu::refreshHighlight(bool withSound) {
  for (MenuEntry* line : shown) line->unhighlight();
  if (current >= 0 && current < static_cast<int>(shown.size())) {
    shown[current]->highlight(withSound);
  }
}

void Menu::selectEntry(MenuEntry* line) {
  int index = -1;
  for (size_t i = 0; i < shown.size(); ++i) {
    if (shown[i] == line) index = static_cast<int>(i);
  }
  if (index < 0) return;
  line->highlight(true);
  for (MenuEntry* other : shown) {
    if (other != line) other->unhighlight();
  }
  int from = current;
  current = index;
  if (from != index) onHighlightMoved(from, index);
}

void Menu::onAction(const std::string& name, bool pressed) {
  if (inputLocked) return;
  if (name == "down" && pressed) moveHighlight(1);
  if (name == "up" && pressed) moveHighlight(-1);
  if (name == "activate" && pressed == activateOnPress) activateCurrent();
  if (name == "back" && pressed && escapeGoesBack) activateBackLine();
}

// Escape does what the page's own "Back" line does, highlight and all; a
// page without one (the main page) ignores it.
void Menu::activateBackLine() {
  for (size_t i = 0; i < shown.size(); ++i) {
    if (shown[i]->text != kBackLabel || !shown[i]->enabled) continue;
    current = static_cast<int>(i);
    refreshHighlight(false);
    activateCurrent();
    return;
  }
}

// Walks to the next enabled line, but never past the page's end line in
// the walking direction (the last line going down, the first going up), so
// a page of disabled lines cannot loop for ever.
void Menu::moveHighlight(int direction) {
  int count = static_cast<int>(shown.size());
  if (count == 0) return;
  int old = (current >= 0 && current < count) ? current : 0;
  int stopAt = direction > 0 ? count - 1 : 0;
  current = old;
  do {
    current = (current + direction + count) % count;
  } while (!shown[current]->enabled && current != stopAt);
  shown[old]->pressed = false;
  refreshHighlight(true);
  if (old != current) onHighlightMoved(old, current);
}

void Menu::activateCurrent() {
  if (current < 0 || current >= static_cast<int>(shown.size())) return;
  MenuEntry* line = shown[current];
  line->pressed = !line->pressed;
  executeAction(line->action);
  line->onActivate();
}

void Menu::onPageShown(const std::string&) {}

void Menu::onHighlightMoved(int, int) {}

void Menu::executeAction(const std::string& action) {
  playThrottled(activateSound, kActivateCooldownS);
  // The switch waits for the next update so the activated line finishes
  // its own activation on the page it belongs to.
  if (action.size() > kLinkPrefixLength && action.compare(0, kLinkPrefixLength, kLinkPrefix) == 0) {
    pendingLink = action.substr(kLinkPrefixLength);
    return;
  }
  if (actionHandler) actionHandler(action);
}

void Menu::playThrottled(const std::string& name, float cooldownS) {
  if (name.empty() || !Engine::instance || !Engine::instance->sound) return;
  Engine::instance->sound->playSampleThrottled(name, cooldownS, kMenuSoundVolume, kMenuSoundPan,
                                               kMenuSoundPitch, false);
}

void Menu::step(float dt) {
  if (!visible) return;
  if (!pendingLink.empty()) {
    std::string link = pendingLink;
    showPage(link);
    pendingLink.clear();
  }
  poll();
  Drawable::step(dt);
  updateLines(dt);
  trackMouse();
}

// Lines update in screen terms (the menu's position added) so their mouse
// tests compare against the pointer directly. A line's action may switch
// the page; the walk then stops rather than touch the new page's lines.
void Menu::updateLines(float dt) {
  std::vector<MenuEntry*> lines = shown;
  int serial = pageSerial;
  for (MenuEntry* line : lines) {
    if (pageSerial != serial) break;
    line->x += x;
    line->y += y;
    line->update(dt);
    line->x -= x;
    line->y -= y;
  }
}

void Menu::trackMouse() {
  mouseMoved = mouse_x != lastMouseX || mouse_y != lastMouseY;
  lastMouseX = mouse_x;
  lastMouseY = mouse_y;
}

MenuEntry* Menu::place(const std::string& page, MenuEntry* line, const std::string& label) {
  std::vector<MenuEntry*>& lines = pages[page];
  line->setLabel(label);  // after the colour: the glow is drawn in it
  line->x = 0.0f;
  line->y = static_cast<float>(static_cast<int>(lines.size()) * (gameFontHeight() + lineSpacing));
  line->anchor = anchor;
  line->owner = this;
  lines.push_back(line);
  return line;
}

MenuEntry* Menu::addEntry(const std::string& page, const std::string& label,
                          const std::string& action, FONT* labelFont, int colour, int id) {
  auto* line = new MenuEntry;
  line->action = action;
  line->setFont(labelFont ? labelFont : ::font);
  line->colour = colour;
  line->id = id;
  return place(page, line, label);
}

ToggleEntry* Menu::addToggle(const std::string& page, const std::string& label,
                             const std::string& action, bool* target, const std::string& onText,
                             const std::string& offText, std::function<void()> listener) {
  auto* line = new ToggleEntry(target, onText, offText, std::move(listener));
  line->action = action;
  line->colour = lineColour;
  place(page, line, label);
  return line;
}

SliderEntry* Menu::addSlider(const std::string& page, const std::string& label, int initial,
                             int maximum, std::function<void(int)> onChange,
                             const std::string& action) {
  auto* line = new SliderEntry(initial, maximum, std::move(onChange));
  line->action = action;
  line->colour = lineColour;
  place(page, line, label);
  return line;
}

KeyCaptureEntry* Menu::addKeyCapture(const std::string& page, const std::string& label,
                                     InputMap* bindings, const std::string& actionName,
                                     const std::string& action) {
  auto* line = new KeyCaptureEntry(bindings, actionName);
  line->action = action;
  line->colour = lineColour;
  place(page, line, label);
  return line;
}

TextInputEntry* Menu::addTextInput(std::string* target, const std::string& page,
                                   const std::string& label, const std::string& action,
                                   int textOffsetX) {
  auto* line = new TextInputEntry(target, textOffsetX);
  line->action = action;
  line->colour = lineColour;
  place(page, line, label);
  return line;
}
