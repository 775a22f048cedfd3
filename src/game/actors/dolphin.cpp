#include "game/actors/dolphin.h"

#include "engine/screen.h"
#include "engine/text_label.h"
#include "flow/game_app.h"
#include "game/actors/coin.h"
#include "game/actors/contact.h"
#include "game/actors/player.h"

namespace {

const int kSwimFrames = 9;
const float kSwimLoopS = 0.8f;
const float kSwimSpeed = 400.0f;  // px/s, along the rows and up them
const float kRowPx = 80.0f;
const float kCoinEveryS = 0.8f;
const float kLeaveFadeS = 0.5f;
const float kBumpPx = 40.0f;
const int kSlideLeft = 0, kSlideRight = 1;
const int kMessageLayer = 4;
const char* const kCoinKind = "dat/coin.dat";
const char* const kFailureText = "You didn't get enough coins!";

}  // namespace

Dolphin::Dolphin() {
  loadArt("dolphin.dat");
  playAnimation("swim", 0, kSwimFrames, kSwimLoopS, -1, false, 0.0f);
}

void Dolphin::step(float dt) {
  Actor::step(dt);
  if (GameApp::instance->paused) return;
  if (!visible || alpha <= 0.0f) {
    visible = false;
    checkForFailure();
    return;
  }
  hurtPlayerWithin(x, y, kBumpPx);
  dropCoinWhenDue(dt);
  if (trapTimer > 0.0f) return;
  bob.update(dt);
  cameraOffsetY = bob.pixels();
  swim();
}

void Dolphin::swim() {
  if (moving || alphaInterp.running) return;
  if (turnPending && turnAndRise()) return;
  if (leaving()) {
    alphaInterp.start(0.0f, kLeaveFadeS, 0);
    return;
  }
  hFlip = swimmingRight;
  GameApp::instance->slideActor(swimmingRight ? kSlideRight : kSlideLeft, this, kSwimSpeed);
  turnPending = 1;
}

bool Dolphin::turnAndRise() {
  turnPending = 0;
  swimmingRight = !swimmingRight;
  if (GameApp::instance->isSolidTile(tileX(), tileY() - 1)) return false;
  moveTo(x, y - kRowPx, kSwimSpeed);
  return true;
}

void Dolphin::dropCoinWhenDue(float dt) {
  coinTimer -= dt;
  if (coinTimer > 0.0f) return;
  coinTimer = kCoinEveryS;
  auto* coin = new Coin;
  coin->setPosition(static_cast<int>(x), static_cast<int>(y));
  GameApp::instance->addActor(coin);
}

int Dolphin::visibleCoins() {
  int count = 0;
  for (const Actor* actor : GameApp::instance->actors)
    count += actor->visible && actor->kind() == kCoinKind;
  return count;
}

void Dolphin::checkForFailure() {
  GameApp& app = *GameApp::instance;
  Player* player = livingPlayer();
  if (failureShown || !player || app.levelWon) return;
  if (player->coinsThisLevel + visibleCoins() >= app.requiredCoins) return;
  failureShown = 1;
  player->hurt();
  auto* message = new TextLabel(kFailureText);
  message->anchor = 1;
  message->setPosition(app.screen->width / 2, app.screen->height / 2);
  app.addSprite(message, kMessageLayer);
}
