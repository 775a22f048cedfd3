#include "game/in_game_state.h"

#include <allegro.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "engine/particle_system.h"
#include "engine/screen.h"
#include "engine/sprite.h"
#include "flow/game_app.h"
#include "flow/run_records.h"
#include "flow/sound_option_lines.h"
#include "game/actors/player.h"
#include "game/level_loader.h"
#include "game/level_tile_map.h"
#include "game/treasure.h"
#include "menu/menu.h"
#include "sound/sound_manager.h"

namespace {

const int kBackgroundLayer = 0, kTileLayer = 1, kFrontLayer = 3, kOverlayLayer = 4;
const int kLastStoryLevel = 49;
const int kFirstEndLevel = 50, kLastEndLevel = 999;
const int kDefaultLevelW = 800, kDefaultLevelH = 600;
const int kParticleFrames[3] = {2, 0, 1};
const int kParticleAlpha = 128;
const int kMenuRaise = 75;
const float kEnterFadeS = 0.2f;
const int kPerfectBonusCoins = 20;
const float kHoldPauseS = 999.0f;  // the 100% screen holds the level
const float kMusicRestoreS = 0.5f;
const unsigned kLevelSeedBase = 7919;  // + the level number

GameApp& game() { return *GameApp::instance; }

int storedValue(const std::map<int, int>& values, int level) {
  auto found = values.find(level);
  return found == values.end() ? 0 : found->second;
}

}  // namespace

unsigned fixedLevelSeed(int level) { return kLevelSeedBase + static_cast<unsigned>(level); }

unsigned clockSeed() {
  auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  return static_cast<unsigned>(ticks ^ (ticks >> 32));
}

void InGameState::enter() {
  GameApp& app = game();
  // Chance differs from play to play; a demo gives its own seed for every
  // entry, so that it replays exactly, restarts included.
  unsigned seed = app.levelSeed ? *app.levelSeed : clockSeed();
  std::srand(seed);
  levelLoaded = false;
  resetLevelState();
  app.runs->levelEntered(seed);  // before the player reads the keys held now
  app.createPlayer();
  if (app.currentLevel >= kFirstEndLevel && app.currentLevel <= kLastEndLevel) {
    queueAction("JUMPSTATE:eog");  // every story level is behind the player
    return;
  }
  addBackground();
  addTileLayers();
  addParticles();
  addMenuBackground();
  app.inGameMenu = buildMenu();
  levelLoaded = loadLevel(app.currentLevel, app.levelLoadProblem);
  if (!levelLoaded) {
    // Back where the level was chosen; never won, so nothing is saved.
    queueAction(app.currentLevel >= kFirstMiniGameLevel ? "JUMPSTATE:title" : "JUMPSTATE:levelSelect");
    return;
  }
  applyLevelSetup();
  startLevelMusic();
  showReadyGoIfNeeded(*this);
  totalTreasures();
  settleCamera();
  crossFade(kEnterFadeS);
}

void InGameState::resetLevelState() {
  GameApp& app = game();
  app.levelTime = 0.0f;
  app.levelWon = 0;
  addStateAction("openInGameMenu", KEY_ESC);
  addStateAction("pushHelpText", KEY_F1);
  addStateAction("pushPowerupShop", KEY_F5);
  addStateAction("pushPowerupShop", KEY_TAB);
  app.screen->waterEffect = app.waterEffect;
  app.levelFrozen = 0;
  app.paused = 0;
  app.screen->setCameraTarget(&app.camera);
  app.requiredCoins = 0;
  app.levelKind = 0;
  app.bossFlightTop = -1.0f;
  app.levelWidth = kDefaultLevelW;
  app.levelHeight = kDefaultLevelH;
  app.screen->snapshot();
}

void InGameState::addBackground() {
  GameApp& app = game();
  int backdrop = app.currentLevel > kLastStoryLevel ? 0 : app.currentLevel / 10;
  addSprite(newSprite("bg" + std::to_string(backdrop) + ".dat", 0, 1, app.screen->width / 2,
                      app.screen->height / 2),
            kBackgroundLayer);
}

void InGameState::addTileLayers() {
  GameApp& app = game();
  auto* main = new LevelTileMap;
  auto* decor = new LevelTileMap;
  addSprite(main, kTileLayer);
  addSprite(decor, kFrontLayer);
  loadTiles(*main);
  loadTiles(*decor);
  app.tileMap = main;
  app.decorMap = decor;
}

void InGameState::addParticles() {
  GameApp& app = game();
  for (int i = 0; i < 3; ++i) {
    auto* emitter = new ParticleSystem;
    emitter->bitmapIndex = kParticleFrames[i];
    emitter->alphaStart = kParticleAlpha;
    addSprite(emitter, kFrontLayer);
    app.particles[i] = emitter;
  }
}

void InGameState::addMenuBackground() {
  GameApp& app = game();
  Sprite* backdrop = newSprite("menubg.dat", 0, 1, app.screen->width / 2, app.screen->height / 2);
  backdrop->alpha = 0.0f;
  addSprite(backdrop, kOverlayLayer);
  app.menuBackground = backdrop;
}

Menu* InGameState::buildMenu() {
  GameApp& app = game();
  auto* menu = new Menu;
  menu->anchor = 1;
  menu->setPosition(app.screen->width / 2, app.screen->height / 2 - kMenuRaise);
  menu->visible = false;
  menu->actionHandler = [this](const std::string& action) { queueAction(action); };
  menu->moveSound = "bubble";
  menu->activateSound = "bubblehit";
  addMenuPages(*menu);
  menu->showPage("Main");
  addSprite(menu, -1);  // owned here; shown on the overlay layer when opened
  return menu;
}

void InGameState::addMenuPages(Menu& menu) {
  GameApp& app = game();
  const char* exitAction = app.currentLevel >= kFirstMiniGameLevel ? "JUMPSTATE:title" : "JUMPSTATE:levelSelect";
  const std::pair<const char*, const char*> mainPage[] = {
      {"Continue", "closeInGameMenu"},        {"Restart", "JUMPSTATE:inGame"},
      {"Options", "LINKTO:Options"},          {"Level Help", "inGameMenuOpensHelpText"},
      {"Power-Up Shop", "inGameMenuOpensPowerupShop"}, {"Exit", exitAction}};
  for (const auto& [label, action] : mainPage) menu.addEntry("Main", label, action, nullptr, -1, 0);
  addSoundAndWaterLines(menu, "Options");
  menu.addEntry("Options", "Back", "inGameMenuExitsOptions", nullptr, -1, 0);
}

void InGameState::totalTreasures() {
  GameApp& app = game();
  std::fill(std::begin(app.treasureTotals), std::end(app.treasureTotals), 0);
  std::fill(std::begin(app.treasureCollected), std::end(app.treasureCollected), 0);
  for (Treasure* treasure : app.treasures) {
    int slot = GameApp::treasureSlot(treasure->kind());
    if (slot >= 0) app.treasureTotals[slot] += 1;
  }
}

void InGameState::settleCamera() {
  GameApp& app = game();
  if (app.player->hopMode || app.player->rideExhaust) app.screen->waterEffect = false;
  app.player->hFlip = true;
  app.cameraTarget(app.camera.x, app.camera.y);
  app.followCamera();
}

void InGameState::leave() {
  GameApp& app = game();
  app.levelWon = 0;
  app.timeScale = 1.0f;
  if (app.sound) app.sound->slideMusic(1000, kMusicRestoreS);
  app.hearts = app.maxHearts = 0;
  app.screen->waterEffect = false;
  app.screen->setCameraTarget(nullptr);
  if (app.inGameMenu) app.screen->removeFromLayer(app.inGameMenu, kOverlayLayer);
  // The stack record destroys the menu, the actors, the treasures and the
  // player with this state.
  app.inGameMenu = nullptr;
  app.menuBackground = nullptr;
  app.tileMap = app.decorMap = nullptr;
  for (ParticleSystem*& emitter : app.particles) emitter = nullptr;
  app.actors.clear();
  app.treasures.clear();
  app.player = nullptr;
  app.levelFrozen = 0;
  app.paused = 0;
  app.pauseCountdown = 0.0f;
}

void InGameState::update(float dt) {
  GameState::update(dt);
  GameApp& app = game();
  if (app.pauseCountdown > 0.0f) {
    app.pauseCountdown -= dt;
    if (app.pauseCountdown <= 0.0f) {
      app.pauseCountdown = 0.0f;
      app.paused = 0;
    }
  }
  if (!app.paused && !app.levelWon && !app.levelFrozen) app.levelTime = std::min(app.levelTime + dt, static_cast<float>(kLevelClockCapS));
  if (completionDue()) completeLevel();
}

bool InGameState::completionDue() {
  GameApp& app = game();
  if (!levelLoaded || !app.player || app.levelWon) return false;
  int chests = 0, taken = 0;
  for (Treasure* treasure : app.treasures) {
    if (!treasure->isChest()) continue;
    chests += 1;
    if (treasure->alpha == 0.0f) taken += 1;
  }
  if (chests != taken) return false;
  return app.requiredCoins == 0 || app.player->coinsThisLevel >= app.requiredCoins;
}

void InGameState::completeLevel() {
  GameApp& app = game();
  app.levelWon = 1;
  if (app.sound) app.sound->playSample("levelcomplete", 255, 128, 1000, false);
  int level = app.currentLevel;
  if (level < kFirstMiniGameLevel && app.levelsBeaten < level + 1) app.levelsBeaten = level + 1;
  app.countTreasures();
  int collected = 0;
  for (int count : app.treasureCollected) collected += count;
  int total = static_cast<int>(app.treasures.size());
  // A level with nothing to collect has been collected in full.
  int rating = total == 0 ? 100 : collected * 100 / total;
  if (app.levelWonHook && app.levelWonHook(rating)) return;  // a demo ends here: nothing saved
  app.runs->levelWon(rating);  // compared with the kept run before the record changes
  int storedRating = storedValue(app.ratings, level);
  int storedTime = storedValue(app.bestTimes, level);
  if (rating >= storedRating && (storedTime == 0 || storedTime > app.levelTime))
    app.bestTimes[level] = static_cast<int>(app.levelTime);
  bool perfectScreen = false;
  if (rating > storedRating) {
    app.ratings[level] = rating;
    if (rating == 100 && (app.levelKind == 0 || app.levelKind == 2 || app.levelKind == 3)) {
      app.addCoins(kPerfectBonusCoins);
      perfectScreen = true;
    }
  }
  app.addCoins(app.player->coinsThisLevel);
  app.currentLevel += 1;
  app.saveProfile();
  if (perfectScreen) {
    app.paused = 1;
    app.pauseCountdown = kHoldPauseS;
    app.pushState("100%");
  } else {
    app.endLevel();
  }
}
