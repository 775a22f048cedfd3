#include "flow/demo_session.h"

#include <cstdio>

#include "engine/key_events.h"
#include "flow/game_app.h"
#include "game/in_game_state.h"

std::string demoVerdict(int level, const DemoOutcome& outcome) {
  char text[128];
  if (!outcome.loadProblem.empty()) {
    std::snprintf(text, sizeof text, "level %d: could not load the level - %s", level, outcome.loadProblem.c_str());
  } else if (outcome.won) {
    std::snprintf(text, sizeof text, "level %d: won, rating %d%%, time %.2f s", level, outcome.rating,
                  static_cast<double>(outcome.levelTime));
  } else {
    std::snprintf(text, sizeof text, "level %d: not won after %.2f s", level,
                  static_cast<double>(outcome.playedTime));
  }
  return text;
}

unsigned demoSeed(const Demo& demo) { return demo.seed ? *demo.seed : fixedLevelSeed(demo.level); }

DemoSession::DemoSession(GameApp& game, int levelNumber) : app(game), level(levelNumber) {
  app.passDriver = this;
  app.levelWonHook = [this](int rating) { return onLevelWon(rating); };
  releaseAllKeyEvents();
  readKeysFromEventsOnly(true);
}

DemoSession::~DemoSession() {
  if (app.passDriver == this) app.passDriver = nullptr;
  app.levelWonHook = nullptr;
  readKeysFromEventsOnly(false);
}

bool DemoSession::onLevelWon(int rating) {
  if (app.currentLevel != level) return false;
  result.won = true;
  result.rating = rating;
  result.levelTime = app.levelTime;
  app.quit = true;
  return true;
}

void DemoSession::endPass() {
  if (!app.levelLoadProblem.empty() && app.currentLevel == level) result.loadProblem = app.levelLoadProblem;
  if (!app.isStacked("inGame") || app.currentLevel != level) app.quit = true;
}

DemoRecorder::DemoRecorder(GameApp& game, int levelNumber) : DemoSession(game, levelNumber) {
  demo.level = levelNumber;
  demo.seed = app.levelSeed;
}

bool DemoRecorder::beginPass(float& dt) {
  DemoPass pass;
  pass.dt = dt;
  demo.passes.push_back(pass);
  result.playedTime += dt;
  return true;
}

void DemoRecorder::endPass() {
  // The pass has taken its key events by now (Engine::update).
  for (const KeyEvent& event : takenKeyEvents()) demo.passes.back().keys.push_back({event.code, event.down});
  DemoSession::endPass();
}

DemoPlayer::DemoPlayer(GameApp& game, const Demo& played) : DemoSession(game, played.level), demo(played) {}

bool DemoPlayer::beginPass(float& dt) {
  if (next >= demo.passes.size()) return false;
  const DemoPass& pass = demo.passes[next++];
  for (const KeyChange& change : pass.keys) injectKeyEvent(change.code, change.down);
  dt = pass.dt;
  result.playedTime += dt;
  return true;
}
