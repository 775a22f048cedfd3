#include "flow/record_watch.h"

#include <allegro.h>

#include <atomic>

#include "engine/key_events.h"
#include "flow/demo_session.h"
#include "flow/game_app.h"
#include "flow/scratch_folder.h"

namespace {

std::atomic<bool> escapePressed{false};

// Stands in for the game's keyboard hook while a run plays: the run's own
// keys are injected, and of the player's only Escape counts.
void watchKeys(int scancode) {
  if (scancode == KEY_ESC) escapePressed = true;  // a press; its release has bit 0x80 set
}

}  // namespace

RecordWatch::RecordWatch(GameApp& game, std::unique_ptr<KeptRun> watched) : app(game), run(std::move(watched)) {
  scratch = std::make_unique<ScratchFolder>();
  if (!scratch->ready()) return;
  ready = true;
  kept = {app.bubbleLimit, app.coins, app.levelsBeaten, app.currentLevel, app.waterEffect,
          app.ratings, app.bestTimes, app.settings};
  app.bubbleLimit = run->startBubbles;
  app.coins = run->startCoins;
  app.currentLevel = run->demo.level;
  app.levelSeed = demoSeed(run->demo);
  app.passDriver = this;
  app.levelWonHook = [this](int) {
    ended = true;
    return true;  // a watched win is never stored
  };
  escapePressed = false;
  keyboardHook = keyboard_lowlevel_callback;
  keyboard_lowlevel_callback = watchKeys;
  releaseAllKeyEvents();
  readKeysFromEventsOnly(true);
  app.queueAction("JUMPSTATE:inGame");
}

RecordWatch::~RecordWatch() {
  if (!ready) return;
  if (app.passDriver == this) app.passDriver = nullptr;
  app.levelWonHook = nullptr;
  app.levelSeed.reset();
  readKeysFromEventsOnly(false);
  releaseAllKeyEvents();
  if (keyboard_lowlevel_callback == watchKeys) keyboard_lowlevel_callback = keyboardHook;
  scratch.reset();  // back in the game's own folder
  app.bubbleLimit = kept.bubbleLimit;
  app.coins = kept.coins;
  app.levelsBeaten = kept.levelsBeaten;
  app.currentLevel = kept.currentLevel;
  app.waterEffect = kept.waterEffect;
  app.ratings = kept.ratings;
  app.bestTimes = kept.bestTimes;
  app.settings = kept.settings;
}

bool RecordWatch::beginPass(float& dt) {
  if (escapePressed.exchange(false)) ended = true;
  if (ended || !entered) return true;
  if (next >= run->demo.passes.size()) {
    ended = true;
    return true;
  }
  const DemoPass& pass = run->demo.passes[next++];
  for (const KeyChange& change : pass.keys) injectKeyEvent(change.code, change.down);
  dt = pass.dt;
  return true;
}

void RecordWatch::endPass() {
  if (entered && (!app.isStacked("inGame") || app.currentLevel != run->demo.level)) ended = true;
}
