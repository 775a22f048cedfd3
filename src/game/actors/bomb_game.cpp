#include "game/actors/bomb_game.h"

#include <cmath>

#include "engine/screen.h"
#include "engine/text_label.h"
#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/vector2.h"
#include "sound/sound_manager.h"

namespace {

const int kCoins = 15;
const BombGame::Place kPlaces[] = {{10, 13}, {19, 5}, {3, 9}, {9, 18}, {19, 18}};
const float kFirstCountdownS = 10.0f;
const float kLaterCountdownS = 15.0f;
const float kCountdownCutPerPlaceS = 0.3f;
const int kTilePx = 80;
const int kFuseFrameCount = 8;  // the loop never rests on the end value
const float kFuseLoopS = 0.4f;
const float kFarSq = 102400.0f;  // 320 px: the pointer shows beyond this
const int kCountdownRaisePx = 100;
const int kPointerBottomRaisePx = 50, kPointerTopY = 100;
const int kAnchorLeft = 0, kAnchorCentre = 1, kAnchorRight = 3;
const int kOverlayLayer = 4;
const float kDisarmFadeS = 1.0f;
const MiniGame::Payout kPayout = {600.0f, 0.0f, 200.0f, false};
const int kFullVolume = 255, kCentrePan = 128, kNormalPitch = 1000;

float countdownFor(int place) {
  return place == 0 ? kFirstCountdownS : kLaterCountdownS - kCountdownCutPerPlaceS * place;
}

TextLabel* overlayText(const std::string& text) {
  auto* label = new TextLabel(text);
  label->anchor = kAnchorCentre;
  GameApp::instance->addSprite(label, kOverlayLayer);
  return label;
}

}  // namespace

BombGame::BombGame() : MiniGame(kCoins), places(std::begin(kPlaces), std::end(kPlaces)) {
  loadArt("bomb.dat");
  playAnimation("fuse", 0, kFuseFrameCount, kFuseLoopS, -1, false, 0.0f);
}

void BombGame::onAdded() {
  const Screen& screen = *GameApp::instance->screen;
  countdownText = overlayText("");
  countdownText->setPosition(screen.width / 2, screen.height - kCountdownRaisePx);
  pointerText = overlayText("Over Here!");
  pointerText->visible = false;
  advance();
}

void BombGame::advance() {
  currentPlace += 1;
  if (currentPlace >= static_cast<int>(places.size())) {
    visible = false;
    done = 1;
    won = 1;
    return;
  }
  const Place& place = places[currentPlace];
  setPosition(place.tileX * kTilePx + kTilePx / 2, place.tileY * kTilePx + kTilePx / 2);
  countdown = countdownFor(currentPlace);
}

void BombGame::step(float dt) {
  Actor::step(dt);
  if (GameApp::instance->paused) return;
  if (!done) {
    if (disarmed) {
      if (!alphaInterp.running) {
        alpha = 255.0f;
        disarmed = 0;
        advance();
      }
    } else if (trapTimer > 0.0f) {
      disarm();
    } else {
      tick(dt);
    }
  }
  payOut(dt, kPayout);
}

void BombGame::tick(float dt) {
  Player* player = GameApp::instance->player;
  if (!player || player->dead) return;
  if (squaredDistance(x, y, player->x, player->y) > kFarSq) pointAtBomb();
  countdownText->text = "Boom in " + std::to_string(static_cast<int>(countdown)) + " seconds";
  countdown -= dt;
  if (countdown < 0.0f) explode();
}

void BombGame::pointAtBomb() {
  const GameApp& app = *GameApp::instance;
  int w = app.screen->width, h = app.screen->height;
  float dx = x - app.player->x, dy = y - app.player->y;
  pointerText->visible = true;
  if (std::fabs(dx) > std::fabs(dy)) {
    bool right = dx >= 0.0f;
    pointerText->anchor = right ? kAnchorRight : kAnchorLeft;
    pointerText->setPosition(right ? w : 0, h / 2);
  } else {
    pointerText->anchor = kAnchorCentre;
    pointerText->setPosition(w / 2, dy >= 0.0f ? h - kPointerBottomRaisePx : kPointerTopY);
  }
}

void BombGame::explode() {
  GameApp& app = *GameApp::instance;
  countdown = 0.0f;
  if (app.sound) app.sound->playSample("cannon", kFullVolume, kCentrePan, kNormalPitch, false);
  app.player->hurt();
  countdownText->text.clear();
  pointerText->text.clear();
}

void BombGame::disarm() {
  // The bubble is only the signal: the bomb fades away instead of floating.
  trapTimer = 0.0f;
  bubbleOverlay.visible = false;
  shakeTween.stop();
  shakeOffset = 0.0f;
  countdownText->text.clear();
  pointerText->visible = false;
  alphaInterp.start(0.0f, kDisarmFadeS, 0);
  disarmed = 1;
}
