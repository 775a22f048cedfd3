#include "game/actors/mini_game.h"

#include "flow/game_app.h"
#include "game/actors/coin.h"
#include "game/actors/player.h"
#include "game/treasure.h"

namespace {

const float kCoinIntervalS = 0.2f;

}  // namespace

void MiniGame::payOut(float dt, const Payout& how) {
  GameApp& app = *GameApp::instance;
  Player* player = app.player;
  if (!won || !player) return;
  player->miniGameLock = 1;
  if (coinsOwed > 0) {
    payoutTimer += dt;
    if (payoutTimer > kCoinIntervalS) {
      payoutTimer = how.timerRestartsAtZero ? 0.0f : payoutTimer - kCoinIntervalS;
      coinsOwed -= 1;
      payCoin(how);
    }
    return;
  }
  if (!app.treasures.empty()) app.treasures.front()->moveTo(player->x, player->y, how.chestSpeed);
}

void MiniGame::payCoin(const Payout& how) {
  GameApp& app = *GameApp::instance;
  auto* coin = new Coin;
  app.addActor(coin);
  if (!app.treasures.empty()) {
    const Treasure& chest = *app.treasures.front();
    coin->setPosition(static_cast<int>(chest.x), static_cast<int>(chest.y));
  }
  coin->moveTo(app.player->x, app.player->y - how.coinAimAbovePx, how.coinSpeed);
}
