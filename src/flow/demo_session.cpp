#include "flow/demo_session.h"

#include <allegro.h>

#include <cstdio>

#include "flow/game_app.h"

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

DemoSession::DemoSession(GameApp& game, int levelNumber) : app(game), level(levelNumber) {
  app.passDriver = this;
  app.levelWonHook = [this](int rating) { return onLevelWon(rating); };
}

DemoSession::~DemoSession() {
  if (app.passDriver == this) app.passDriver = nullptr;
  app.levelWonHook = nullptr;
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

DemoRecorder::DemoRecorder(GameApp& game, int levelNumber)
    : DemoSession(game, levelNumber), held(KEY_MAX, false) {
  demo.level = levelNumber;
}

bool DemoRecorder::beginPass(float& dt) {
  // The first call puts Allegro's keyboard into polled mode: from then on
  // the key array changes only here, never in the middle of a pass.
  poll_keyboard();
  DemoPass pass;
  pass.dt = dt;
  for (int code = 1; code < KEY_MAX; ++code) {
    bool down = key[code] != 0;
    if (down == held[code]) continue;
    held[code] = down;
    pass.keys.push_back({code, down});
  }
  demo.passes.push_back(pass);
  result.playedTime += dt;
  return true;
}

DemoPlayer::DemoPlayer(GameApp& game, const Demo& played) : DemoSession(game, played.level), demo(played) {}

bool DemoPlayer::beginPass(float& dt) {
  if (next >= demo.passes.size()) return false;
  const DemoPass& pass = demo.passes[next++];
  for (const KeyChange& change : pass.keys) key[change.code] = change.down ? 1 : 0;
  dt = pass.dt;
  result.playedTime += dt;
  return true;
}
