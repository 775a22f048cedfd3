// Where the game application meets its menus. The title menu is stood in
// for by the temporary title; the in-game menu does not exist yet, so it is
// never visible and opening or closing it only pauses and resumes.
#include "flow/game_app.h"
#include "flow/temporary_title_state.h"

void GameApp::showTitleMenuPage(const std::string& page) {
  if (titleState) titleState->showPage(page);
}

void GameApp::showInGameMenuPage(const std::string&) {}

bool GameApp::inGameMenuVisible() const { return false; }

void GameApp::showInGameMenu() {}

void GameApp::hideInGameMenu() {}
