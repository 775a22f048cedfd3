// The in-game menu as the player sees it: opened with Escape over the
// game's own levels, read back from the composed picture.
#include <allegro.h>

#include "engine/screen.h"
#include "game/level_fixture.h"
#include "menu/menu.h"
#include "menu/menu_entry.h"

namespace {

const int kLayerCount = 5;
const float kBannerS = 2.2f;  // the ready-go pause of the special levels, and more
const float kFadeS = 0.5f;    // the panel's fade-in, and more
const int kMinInkPixels = 20;

class InGameMenu : public LevelFixture {
 protected:
  // Trades the fixture's 800 × 600 screen for one of another size.
  void useScreenSize(int width, int height) {
    delete app.screen;
    app.screen = new Screen(width, height, Screen::Offscreen{});
    app.screen->layers.resize(kLayerCount);
    app.screen->layers[0].followsCamera = false;
    app.screen->layers[kLayerCount - 1].followsCamera = false;
  }

  void openMenu() {
    run(kBannerS);
    hold(KEY_ESC);
    step();
    letGo(KEY_ESC);
    run(kFadeS);
    ASSERT_TRUE(app.inGameMenu && app.inGameMenu->visible);
  }

  // Pixels of the line's text box that change when the menu's lines are
  // drawn: zero when something covers them.
  int inkOf(const MenuEntry& line) {
    Menu& menu = *app.inGameMenu;
    BITMAP* frame = app.screen->backBuffer;
    int width = line.textWidth(), height = line.textHeight();
    int left = static_cast<int>(menu.x + line.x) - width / 2, top = static_cast<int>(menu.y + line.y);
    BITMAP* withLines = create_bitmap(width, height);
    draw();
    blit(frame, withLines, left, top, 0, 0, width, height);
    menu.visible = false;
    draw();
    menu.visible = true;
    int changed = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) changed += getpixel(withLines, x, y) != getpixel(frame, left + x, top + y);
    destroy_bitmap(withLines);
    return changed;
  }

  // Opens the menu over each level, Escape and all, and reads every line
  // of both its pages.
  void expectMenuReadableOver(std::initializer_list<int> levels) {
    useGameLevels();
    for (int level : levels) {
      enterLevel(level);
      openMenu();
      if (HasFatalFailure()) return;
      for (const char* page : {"Main", "Options"}) {
        app.inGameMenu->showPage(page);
        run(kFadeS);
        for (MenuEntry* line : app.inGameMenu->shown)
          EXPECT_GE(inkOf(*line), kMinInkPixels) << "level " << level << ", " << page << ": " << line->text;
      }
    }
  }
};

}  // namespace

TEST_F(InGameMenu, MenuLinesHiddenUnderThePanel) {
  expectMenuReadableOver({2, 12, 22, 32, 42, 1000, 1001, 1002, 1003});
}

TEST_F(InGameMenu, MenuLinesHiddenUnderThePanelAt640x480) {
  useScreenSize(640, 480);
  expectMenuReadableOver({2});
}
