#pragma once
#include "engine/game_state.h"

class Menu;

// "inGame": builds the level on entry (backdrop, tile layers, particles,
// the player, actors and treasures, the in-game menu, music, the ready-go
// banner), keeps level time, completes the level when its last chest is
// taken, and tears it down on exit.
class InGameState : public GameState {
 public:
  InGameState() { name = "inGame"; }
  void enter() override;
  void leave() override;
  void update(float dt) override;

 private:
  void resetLevelState();
  void addBackground();
  void addTileLayers();
  void addParticles();
  void addMenuBackground();
  Menu* buildMenu();
  void addMenuPages(Menu& menu);
  void totalTreasures();
  void settleCamera();
  bool completionDue();
  // Rating, best time, coins, progress saved; then the next level or the
  // 100% screen. May switch states: nothing of this state is touched after.
  void completeLevel();

  bool levelLoaded = false;  // a level that failed to load is never won
};

// The per-level table run on entry after the level is loaded: level kind,
// coins required, help at the start, rides, bosses and mini-games.
void applyLevelSetup();
// Starts the tune the level's situation calls for.
void startLevelMusic();
// "Ready?" then "Go!" (or the boss or chase banner) for levels that start
// with a countdown; pauses the level for two seconds.
void showReadyGoIfNeeded(GameState& state);

// The seed every entry of a level drew its random numbers from before
// demos recorded theirs; a demo without a seed line replays with it.
unsigned fixedLevelSeed(int level);
// A seed from the clock, different for entries moments apart.
unsigned clockSeed();
