#pragma once
#include <allegro.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "menu/menu.h"
#include "menu/menu_entry.h"
#include "support/test_support.h"

// An engine that only has to exist: lines measure text and draw through it.
struct MenuTestEngine : Engine {
  void onAction(const std::string&, bool) override {}
  void start() override {}
};

// No key down, no modifier, the mouse at the origin with no button held.
inline void clearInput() {
  for (int i = 0; i < KEY_MAX; ++i) key[i] = 0;
  key_shifts = 0;
  mouse_x = mouse_y = mouse_b = 0;
}

// A menu over Allegro without a display, driven through the key and mouse
// globals; every action the menu hands out is recorded.
class MenuFixture : public testing::Test {
 protected:
  static constexpr float kDt = 0.01f;

  MenuTestEngine engine;
  std::unique_ptr<Menu> menu;
  std::vector<std::string> actions;

  void SetUp() override {
    testsupport::initAllegroNoDisplay();
    clearInput();
    menu = std::make_unique<Menu>();
    menu->actionHandler = [this](const std::string& action) { actions.push_back(action); };
  }

  void update(int frames = 1) {
    for (int i = 0; i < frames; ++i) menu->update(kDt);
  }
  void press(int code) {
    key[code] = 1;
    update();
  }
  void release(int code) {
    key[code] = 0;
    update();
  }
  void tap(int code) {
    press(code);
    release(code);
  }
  void moveMouse(int x, int y) {
    mouse_x = x;
    mouse_y = y;
    update();
  }

  // Plain lines named by labels, on one page, which is then shown.
  void makePage(const std::string& page, const std::vector<std::string>& labels) {
    for (const std::string& label : labels) {
      menu->addEntry(page, label, "do " + label, nullptr, makecol(200, 200, 200), 0);
    }
    menu->showPage(page);
  }

  int highlightedCount() const {
    int count = 0;
    for (MenuEntry* line : menu->shown) count += line->highlighted ? 1 : 0;
    return count;
  }
};
