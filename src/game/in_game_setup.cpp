// What makes each level different on entry: its kind, the coins it asks
// for, help at the start, rides, bosses and mini-games; its music; and the
// ready-go banner.
#include <string>

#include "engine/screen.h"
#include "engine/sprite.h"
#include "flow/game_app.h"
#include "game/actors/big_boss_bird.h"
#include "game/actors/big_shark.h"
#include "game/actors/bomb_game.h"
#include "game/actors/dance_game.h"
#include "game/actors/invaders_game.h"
#include "game/actors/player.h"
#include "game/actors/shell_game.h"
#include "game/actors/squid.h"
#include "game/in_game_state.h"
#include "sound/sound_manager.h"

namespace {

void mountRay(GameApp& app) { app.player->mountRay(); }
void mountRocket(GameApp& app) { app.player->mountRocket(); }

enum LevelKind { kNormal = 0, kCoinRun = 1, kSharkChase = 2, kRide = 3, kBoss = 4, kMiniGame = 5 };

const int kDanceHomeX = 200, kDanceHomeY = 360;

void addShellGame(GameApp& app) { app.addActor(new ShellGame); }
void addBombGame(GameApp& app) { app.addActor(new BombGame); }
void addInvadersGame(GameApp& app) { app.addActor(new InvadersGame); }

// The fish dances on the spot, steered by the dance game, in a level whose
// clock and music stand still.
void addDanceGame(GameApp& app) {
  auto* dance = new DanceGame;
  app.addActor(dance);
  app.danceGame = dance;
  app.levelFrozen = 1;
  Player& player = *app.player;
  player.setPosition(kDanceHomeX, kDanceHomeY);
  player.danceHomeX = kDanceHomeX;
  player.danceHomeY = kDanceHomeY;
  player.danceJudge = [&app](int direction) {
    if (app.danceGame) app.danceGame->judge(direction);
  };
}

struct LevelSetup {
  int first, last;
  int kind;
  int requiredCoins;
  bool helpAtStart;
  void (*prepare)(GameApp& app);  // rides, bosses and mini-games
};

// The bosses that the level picture does not place.
void addSquid(GameApp& app) { app.addActorAtTile(new Squid, 7, 5, 0); }

// Placed at the corner tile, then set up again, which puts it where it
// starts its fight.
void addBigBossBird(GameApp& app) {
  auto* bird = new BigBossBird;
  app.addActorAtTile(bird, 0, 0, 0);
  bird->onAdded();
}

void addBigShark(GameApp& app) { app.addActor(new BigShark); }

// First match wins; levels not listed are normal levels.
const LevelSetup kLevelSetups[] = {
    {0, 1, kNormal, 0, true, nullptr},
    {3, 3, kCoinRun, 10, false, nullptr},
    {16, 16, kCoinRun, 15, false, nullptr},
    {25, 25, kCoinRun, 20, false, nullptr},
    {44, 44, kCoinRun, 30, false, nullptr},
    {5, 5, kRide, 0, true, mountRay},
    {14, 14, kRide, 0, false, mountRay},
    {22, 22, kRide, 0, false, mountRay},
    {46, 46, kRide, 0, false, mountRay},
    {38, 38, kRide, 0, false, mountRocket},
    {7, 7, kSharkChase, 0, false, nullptr},
    {17, 17, kSharkChase, 0, false, nullptr},
    {26, 26, kSharkChase, 0, false, nullptr},
    {48, 48, kSharkChase, 0, false, nullptr},
    {9, 9, kBoss, 0, false, addSquid},
    {29, 29, kBoss, 0, false, nullptr},
    {39, 39, kBoss, 0, false, addBigBossBird},
    {49, 49, kBoss, 0, false, addBigShark},
    {1000, 1000, kMiniGame, 0, false, addShellGame},
    {1001, 1001, kMiniGame, 0, false, addBombGame},
    {1002, 1002, kMiniGame, 0, false, addDanceGame},
    {1003, 1003, kMiniGame, 0, false, addInvadersGame},
};

struct MusicRange {
  int first, last;
  const char* tune;
};

// Tunes by level, after the situations that override them.
const MusicRange kLevelMusic[] = {
    {0, 9, "mus/underwater.ogg"},         {1000, 1000, "mus/underwater.ogg"},
    {10, 19, "mus/piratelevel.ogg"},      {1001, 1001, "mus/piratelevel.ogg"},
    {20, 29, "mus/underwatercity.ogg"},   {30, 39, "mus/underwater.ogg"},
    {40, 49, "mus/heroics.ogg"},          {1003, 1003, "mus/heroics.ogg"},
};

const int kBossFightBannerLevels[] = {9, 29, 39};
const int kFirstHopLevel = 30, kLastHopLevel = 39;  // out of the water
const int kOverlayLayer = 4;
const float kBannerS = 2.0f;
const int kBannerRepeats = 2;
const float kReadySpeed = 500.0f, kGoSpeed = 200.0f, kChaseGoSpeed = 400.0f;
const int kReadyStartX = -200, kReadyEndX = 800;
const int kGoStartX = 400, kGoStartY = 800, kGoEndY = -100;
const int kReadyFrame = 0, kGoFrame = 1, kBossFrame = 2, kChaseFrame = 3;

GameApp& game() { return *GameApp::instance; }

bool isBossBannerLevel(int level) {
  for (int banner : kBossFightBannerLevels)
    if (banner == level) return true;
  return false;
}

const char* tuneForLevel(int level) {
  for (const MusicRange& range : kLevelMusic)
    if (level >= range.first && level <= range.last) return range.tune;
  return nullptr;
}

}  // namespace

void applyLevelSetup() {
  GameApp& app = game();
  app.levelKind = kNormal;
  for (const LevelSetup& setup : kLevelSetups) {
    if (app.currentLevel < setup.first || app.currentLevel > setup.last) continue;
    app.levelKind = setup.kind;
    app.requiredCoins = setup.requiredCoins;
    if (setup.helpAtStart) app.queueAction("pushHelpText_true");
    if (setup.prepare) setup.prepare(app);
    break;
  }
  bool onLand = app.currentLevel >= kFirstHopLevel && app.currentLevel <= kLastHopLevel;
  if (onLand && !app.player->riding()) app.player->enterHopMode(true);
}

void startLevelMusic() {
  GameApp& app = game();
  if (!app.sound) return;
  const Player& player = *app.player;
  const char* tune = nullptr;
  if (app.levelFrozen) tune = nullptr;
  else if (app.levelKind == kSharkChase) tune = "mus/shark.ogg";
  else if (player.plunger.visible) tune = "mus/boss.ogg";
  else if (isBossBannerLevel(app.currentLevel)) tune = "mus/squidbattle.ogg";
  else if (player.ride.visible) tune = "mus/rayblues.ogg";
  else if (app.requiredCoins >= 1) tune = "mus/montyrag.ogg";
  else tune = tuneForLevel(app.currentLevel);
  if (tune) app.sound->playMusic(tune, true);
  else app.sound->stopMusic();
}

void showReadyGoIfNeeded(GameState& state) {
  GameApp& app = game();
  const Player& player = *app.player;
  bool chase = app.levelKind == kSharkChase;
  bool bossBanner = isBossBannerLevel(app.currentLevel) || player.plunger.visible;
  bool shown = app.levelFrozen || bossBanner || player.ride.visible || app.requiredCoins > 0 || chase;
  if (!shown) return;
  int w = app.screen->width, h = app.screen->height;
  Sprite* ready = newSprite("readygo.dat", kReadyFrame, 1, kReadyStartX, h / 2);
  ready->alphaInterp.start(0.0f, kBannerS, 0);
  ready->moveTo(static_cast<float>(kReadyEndX), static_cast<float>(h / 2), kReadySpeed);
  state.addSprite(ready, kOverlayLayer);
  int goFrame = chase ? kChaseFrame : bossBanner ? kBossFrame : kGoFrame;
  Sprite* go = newSprite("readygo.dat", goFrame, 1, kGoStartX, kGoStartY);
  go->alpha = 0.0f;
  go->alphaInterp.start(255.0f, kBannerS, kBannerRepeats);
  go->moveTo(static_cast<float>(w / 2), static_cast<float>(kGoEndY), chase ? kChaseGoSpeed : kGoSpeed);
  state.addSprite(go, kOverlayLayer);
  app.pauseCountdown = kBannerS;
  app.paused = 1;
}
