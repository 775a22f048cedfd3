// Where the game application meets its menus. The in-game menu does not
// exist yet, so it is never visible and opening or closing it only pauses
// and resumes.
#include "flow/game_app.h"
#include "menu/menu.h"

void GameApp::showTitleMenuPage(const std::string& page) {
  if (titleMenu) titleMenu->showPage(page);
}

void GameApp::showInGameMenuPage(const std::string&) {}

bool GameApp::inGameMenuVisible() const { return false; }

void GameApp::showInGameMenu() {}

void GameApp::hideInGameMenu() {}
