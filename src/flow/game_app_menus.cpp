// Where the game application meets its menus: the title menu's pages and
// the in-game menu, which is shown on the overlay layer only while open.
#include "engine/screen.h"
#include "flow/game_app.h"
#include "menu/menu.h"

namespace {
const int kOverlayLayer = 4;
}  // namespace

void GameApp::showTitleMenuPage(const std::string& page) {
  if (titleMenu) titleMenu->showPage(page);
}

void GameApp::showInGameMenuPage(const std::string& page) {
  if (inGameMenu) inGameMenu->showPage(page);
}

bool GameApp::inGameMenuVisible() const { return inGameMenu && inGameMenu->visible; }

void GameApp::showInGameMenu() {
  if (!inGameMenu) return;
  inGameMenu->showPage("Main");
  inGameMenu->visible = true;
  screen->removeFromLayer(inGameMenu, kOverlayLayer);
  screen->addToLayer(inGameMenu, kOverlayLayer);
}

void GameApp::hideInGameMenu() {
  if (!inGameMenu) return;
  inGameMenu->visible = false;
  screen->removeFromLayer(inGameMenu, kOverlayLayer);
}
