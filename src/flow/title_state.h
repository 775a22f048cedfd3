#pragma once
#include "engine/game_state.h"

class Menu;

// The title screen: the title art over a backdrop, the title tune, and the
// title menu with play, options (volumes, water, resolution, full screen,
// keys), profiles, mini-games, credits and quit. The menu's choices become
// action words for the game object.
class TitleState : public GameState {
 public:
  TitleState() { name = "title"; }
  void enter() override;
  void leave() override;
  // Keeps the resolution and full-screen choices showing the settings in
  // force.
  void update(float dt) override;

 private:
  void addArt();
  Menu* buildMenu();
  void addMainPages(Menu& menu);
  void addOptionPages(Menu& menu);
  void addProfilePages(Menu& menu);
  // The choices' change callbacks.
  void onResolutionChanged();
  void onFullscreenChanged();
};
