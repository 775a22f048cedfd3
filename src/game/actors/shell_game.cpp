#include "game/actors/shell_game.h"

#include <cstdlib>

#include "engine/screen.h"
#include "engine/text_label.h"
#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/treasure.h"
#include "game/vector2.h"

namespace {

const int kCoins = 5;
const int kShellCount = 3;
const int kWinningShell = 1;  // the chest always sinks under the second shell
const int kShellLeftX = 304, kShellSpacingPx = 96, kShellBottomY = 520;
const int kShellAnchorBottom = 2;
const int kShellDepthBias = -600;  // behind everything else on the actor layer
const int kActorLayer = 2, kOverlayLayer = 4;
const float kChestShownX = 400.0f, kChestShownY = 300.0f;
const float kChestSunkY = 480.0f;
const float kChestSinkSpeed = 200.0f;  // px/s
const float kChestSunkAlpha = 128.0f;
const float kChestFadeS = 1.0f;
const float kChestHiddenX = 4000.0f, kChestHiddenY = 3000.0f;
const float kShuffleSpeedStep = 25.0f;   // px/s faster after every swap
const float kLastShuffleSpeed = 499.0f;  // past this the shuffling stops
const float kPickSq = 4096.0f;           // 64 px
const MiniGame::Payout kPayout = {600.0f, 0.0f, 400.0f, false};

Treasure* firstChest() {
  GameApp& app = *GameApp::instance;
  return app.treasures.empty() ? nullptr : app.treasures.front();
}

}  // namespace

ShellGame::ShellGame() : MiniGame(kCoins) { untrappable = 1; }

void ShellGame::onAdded() {
  GameApp& app = *GameApp::instance;
  for (int i = 0; i < kShellCount; ++i) {
    auto* shell = new Actor;
    shell->loadArt("shellgame.dat");
    shell->anchor = kShellAnchorBottom;
    shell->depthBias = kShellDepthBias;
    shell->setPosition(kShellLeftX + kShellSpacingPx * i, kShellBottomY);
    app.addSprite(shell, kActorLayer);
    shells[i] = shell;
  }
  message = new TextLabel("Watch the Shells to Win 5 Coins!");
  message->anchor = 1;
  message->setPosition(app.screen->width / 2, app.screen->height / 2);
  app.addSprite(message, kOverlayLayer);
  if (Treasure* chest = firstChest()) {
    chest->setPosition(static_cast<int>(kChestShownX), static_cast<int>(kChestShownY));
    chest->moveTo(kChestShownX, kChestSunkY, kChestSinkSpeed);
    chest->alphaInterp.start(kChestSunkAlpha, kChestFadeS, 0);
  }
  if (app.player) {
    startX = app.player->x;
    startY = app.player->y;
  }
  intro = 1;
}

void ShellGame::step(float dt) {
  Actor::step(dt);
  if (GameApp::instance->paused) return;
  if (intro) {
    holdPlayer();
    endIntroWhenSunk();
  } else if (shuffling) {
    holdPlayer();
    shuffle();
  } else if (pick) {
    pickShells();
  }
  payOut(dt, kPayout);
}

void ShellGame::holdPlayer() {
  Player* player = GameApp::instance->player;
  if (player) {
    player->x = startX;
    player->y = startY;
  }
}

void ShellGame::endIntroWhenSunk() {
  Treasure* chest = firstChest();
  if (chest && chest->alpha != kChestSunkAlpha) return;
  if (chest) chest->moveTo(kChestHiddenX, kChestHiddenY, 0.0f);
  intro = 0;
  shuffling = 1;
}

void ShellGame::shuffle() {
  for (Actor* shell : shells)
    if (shell->moving) return;
  if (shuffleSpeed > kLastShuffleSpeed) {
    shuffling = 0;
    pick = 1;
    message->text = "Pick a Shell!";
    return;
  }
  swapTwoShells();
  shuffleSpeed += kShuffleSpeedStep;
}

void ShellGame::swapTwoShells() {
  int first = std::rand() % kShellCount;
  int second = std::rand() % kShellCount;
  while (second == first) second = std::rand() % kShellCount;
  Actor& a = *shells[first];
  Actor& b = *shells[second];
  float ax = a.x, ay = a.y;
  a.moveTo(b.x, b.y, shuffleSpeed);
  b.moveTo(ax, ay, shuffleSpeed);
}

void ShellGame::pickShells() {
  Player* player = GameApp::instance->player;
  if (!player) return;
  for (int i = 0; i < kShellCount && pick; ++i) {
    BoundingBox box = shells[i]->boundingBox();
    float centreX = (box.left + box.right) * 0.5f, centreY = (box.top + box.bottom) * 0.5f;
    if (squaredDistance(centreX, centreY, player->x, player->y) < kPickSq) choose(i);
  }
}

void ShellGame::choose(int shell) {
  if (shell != kWinningShell) {
    GameApp::instance->player->hurt();
    message->text = "You Have Chosen Poorly...";
    return;
  }
  if (Treasure* chest = firstChest()) {
    chest->moveTo(kChestShownX, kChestShownY, 0.0f);
    chest->alpha = 255.0f;
  }
  message->text = "You Have Chosen Wisely!";
  won = 1;
  pick = 0;
}
