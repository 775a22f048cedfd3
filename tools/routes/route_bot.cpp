#include "route_bot.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/key_events.h"
#include "flow/game_app.h"
#include "game/actors/player.h"
#include "level_preview.h"

namespace {

const float kCellPx = 80.0f;
const float kArrivePx = 6.0f;     // close enough to a target
const float kGoTimeoutS = 25.0f;  // a target not reached by then is out of reach
const float kJumpLookPx = 50.0f;  // a wall this close ahead on land is jumped
const float kRideDeadZonePx = 8.0f;
const float kLongestRunS = 900.0f;  // the level clock stops at 599 s

float cellCentre(float cell) { return cell * kCellPx + kCellPx / 2; }

void want(std::vector<int>& keys, int code) {
  if (std::find(keys.begin(), keys.end(), code) == keys.end()) keys.push_back(code);
}

// Presses one of the two keys when the distance is beyond the dead zone.
void steerAxis(float distance, float deadZone, int lower, int higher, std::vector<int>& keys) {
  if (distance > deadZone) want(keys, higher);
  else if (distance < -deadZone) want(keys, lower);
}

bool facingRight(const Player& fish) { return fish.riding() || fish.hFlip; }

}  // namespace

RouteBot::RouteBot(GameApp& game, const Route& followed, bool tracing)
    : DemoSession(game, followed.level), route(followed), trace(tracing), held(KEY_MAX, false) {
  demo.level = followed.level;
}

bool RouteBot::beginPass(float& dt) {
  dt = kPassS;
  std::vector<int> keys;
  bool goOn = true;
  Player* fish = app.player;
  if (app.isStacked("helpText")) {
    if (!held[KEY_ENTER]) want(keys, KEY_ENTER);  // any key closes it once let go
  } else if (result.playedTime > kLongestRunS) {
    failure = "the route ran for longer than any level lasts";
    return false;
  } else if (fish && app.isStacked("inGame") && !(app.paused && app.pauseCountdown > 0.0f)) {
    // Only the level's own pauses are waited out; the shop and the menu
    // pause the game too but wait for keys, so the steps go on.
    if (fish->dead) {
      fail(*fish, "the fish died");
      return false;
    }
    goOn = decide(*fish, keys);
    clock += dt;
  }
  if (!goOn) return false;
  DemoPass pass;
  pass.dt = dt;
  press(keys, pass);
  demo.passes.push_back(pass);
  result.playedTime += dt;
  return true;
}

void RouteBot::endPass() {
  DemoSession::endPass();
  if (!shotPath.empty() && clock >= shotAt) saveShot();
}

void RouteBot::takeShot(const std::string& path, float seconds) {
  shotPath = path;
  shotAt = seconds;
}

void RouteBot::saveShot() {
  if (shotPath.empty() || !::screen) return;
  if (!levels::writePng(::screen, shotPath)) std::fprintf(stderr, "cannot save %s\n", shotPath.c_str());
  else std::printf("screen at %.2f s saved to %s\n", static_cast<double>(clock), shotPath.c_str());
  shotPath.clear();
}

void RouteBot::press(const std::vector<int>& keys, DemoPass& pass) {
  for (int code = 1; code < KEY_MAX; ++code) {
    bool down = std::find(keys.begin(), keys.end(), code) != keys.end();
    if (down == held[code]) continue;
    held[code] = down;
    injectKeyEvent(code, down);
    pass.keys.push_back({code, down});
  }
}

bool RouteBot::decide(Player& fish, std::vector<int>& keys) {
  while (current < route.steps.size()) {
    if (!stepStarted) beginStep(fish);
    const RouteStep& step = route.steps[current];
    keys.clear();
    if (!stepDone(fish, step, keys)) {
      stepTime += kPassS;
      return failure.empty();
    }
    ++current;
    stepStarted = false;
  }
  if (trace) std::printf("%7.2f  route over, the level not won\n", static_cast<double>(clock));
  failure = "the route ended before the level was won";
  return false;
}

void RouteBot::beginStep(Player& fish) {
  stepStarted = true;
  stepTime = 0.0f;
  firePhase = 0;
  if (!trace) return;
  const RouteStep& step = route.steps[current];
  std::printf("%7.2f  line %3d  %-24s fish at cell (%.2f, %.2f)%s\n", static_cast<double>(clock), step.line,
              step.text.c_str(), static_cast<double>(fish.x / kCellPx - 0.5f),
              static_cast<double>(fish.y / kCellPx - 0.5f), fish.bubbles > 0 ? "" : ", no bubbles");
}

bool RouteBot::stepDone(Player& fish, const RouteStep& step, std::vector<int>& keys) {
  switch (step.kind) {
    case RouteStep::kGo:
      return goTowards(fish, step, keys);
    case RouteStep::kHold:
      if (stepTime >= step.seconds) return true;
      keys = step.keys;
      return false;
    case RouteStep::kWait:
      return stepTime >= step.seconds;
    case RouteStep::kFire:
      return fireFacing(fish, step, keys);
    case RouteStep::kEnd:
      if (stepTime >= step.seconds) fail(fish, "the level was not won by the end");
      return false;
  }
  return true;
}

bool RouteBot::goTowards(Player& fish, const RouteStep& step, std::vector<int>& keys) {
  if (stepTime >= kGoTimeoutS) {
    fail(fish, "the target is out of reach");
    return false;
  }
  float targetX = cellCentre(step.x);
  bool rowGiven = step.y >= 0.0f;
  float dy = rowGiven ? cellCentre(step.y) - fish.y : 0.0f;
  if (fish.riding()) {
    // The ride keeps going: be at the row by the time it passes the column.
    steerAxis(dy, kRideDeadZonePx, KEY_UP, KEY_DOWN, keys);
    return fish.x >= targetX;
  }
  if (fish.hopMode) return walkTowards(fish, targetX, keys);
  float dx = targetX - fish.x;
  if (std::fabs(dx) <= kArrivePx && std::fabs(dy) <= kArrivePx) return true;
  float deadZone = fish.swimSpeed * kPassS / 2;
  steerAxis(dx, std::max(deadZone, 1.0f), KEY_LEFT, KEY_RIGHT, keys);
  steerAxis(dy, std::max(deadZone, 1.0f), KEY_UP, KEY_DOWN, keys);
  return false;
}

bool RouteBot::walkTowards(Player& fish, float targetX, std::vector<int>& keys) {
  float dx = targetX - fish.x;
  if (std::fabs(dx) <= kArrivePx && !fish.airborne) return true;
  steerAxis(dx, kArrivePx / 2, KEY_LEFT, KEY_RIGHT, keys);
  float ahead = fish.x + (dx > 0 ? kJumpLookPx : -kJumpLookPx);
  bool wallAhead = app.isSolidTile(static_cast<int>(ahead / kCellPx), static_cast<int>(fish.y / kCellPx));
  // A jump starts on a fresh press and rises higher while up is held.
  if (fish.airborne ? fish.velocity.y < 0.0f && held[KEY_UP] : wallAhead && !held[KEY_UP]) want(keys, KEY_UP);
  return false;
}

bool RouteBot::fireFacing(Player& fish, const RouteStep& step, std::vector<int>& keys) {
  bool turn = step.facing != 0 && (step.facing > 0) != facingRight(fish);
  if (firePhase == 0 && turn) {
    want(keys, step.facing > 0 ? KEY_RIGHT : KEY_LEFT);
    return false;
  }
  if (firePhase == 0) firePhase = 1;
  // A pass with fire down, then one with every key up, so that the next
  // shot is a fresh press.
  if (firePhase++ == 1) want(keys, KEY_SPACE);
  return firePhase > 3;
}

void RouteBot::fail(Player& fish, const std::string& why) {
  char where[160];
  const RouteStep* step = current < route.steps.size() ? &route.steps[current] : nullptr;
  std::snprintf(where, sizeof where, " at cell (%.2f, %.2f), %.2f s in, line %d (%s)",
                static_cast<double>(fish.x / kCellPx - 0.5f), static_cast<double>(fish.y / kCellPx - 0.5f),
                static_cast<double>(clock), step ? step->line : 0, step ? step->text.c_str() : "end");
  failure = why + where;
}
