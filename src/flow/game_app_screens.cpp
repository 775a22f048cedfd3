// The screens that exist only as names on the state stack: help, 100%,
// end of game and credits.
#include <allegro.h>

#include <cstdlib>

#include "engine/game_paths.h"
#include "engine/screen.h"
#include "engine/text_label.h"
#include "flow/game_app.h"
#include "flow/help_text.h"
#include "game/actors/player.h"
#include "sound/sound_manager.h"

namespace {

const int kOverlayLayer = 4;
const float kPerfectFadeSeconds = 0.5f;
const float kPerfectKeyDelay = 1.5f;   // seconds before a key leaves "100%"
const float kEndKeyDelay = 4.0f;       // seconds before a key leaves "eog"
const float kEndFadeSeconds = 2.0f;
const int kEndBackdropCount = 3;       // "bg0.dat" .. "bg2.dat"
const int kEndBannerOffsetY = 180;
const int kStoryLevels = 50;
const int kHelpTextWidth = 600;
const int kPanelDepthBias = -10000;
const int kHelpTextTopOffsets[4] = {-75, -51, -27, -3};  // from the screen centre
const float kHelpResumeDelayS = 0.1f;  // the level stays paused this long after the help


}  // namespace

void GameApp::onStatePushed(const std::string& name) {
  if (name == "credits") {
    noClear = false;
    showScrollingText(dataFile("credits.txt"), gameFont(), "JUMPSTATE_FALSE:title");
  } else if (name == "100%") {
    showLevelPerfect();
  } else if (name == "eog") {
    showEndOfGame();
  } else if (name == "helpText") {
    showHelpText();
  }
}

void GameApp::onStatePopped(const std::string& name) {
  restartTimer = 0.0f;
  Engine::onStatePopped(name);
  if (name == "credits") noClear = true;
  if (name == "helpText") {
    pauseCountdown = kHelpResumeDelayS;
    if (!(player && player->hopMode)) screen->waterEffect = waterEffect != 0;
  }
  // The fish acts only on keys pressed once the overlay is gone, not on the
  // one that closed it nor on one still held from it.
  if ((name == "helpText" || name == "powerupShop") && player) player->ignoreHeldInputs();
}

void GameApp::showLevelPerfect() {
  Sprite* badge = newSprite("100perc.dat", 0, 1, screen->width / 2, screen->height / 2);
  badge->alpha = 0.0f;
  badge->alphaInterp.start(255.0f, kPerfectFadeSeconds, 0);
  addSprite(badge, kOverlayLayer);
  addStateAction("endLevel", kAnyKey);
  levelEndDelay = kPerfectKeyDelay;
}

void GameApp::showEndOfGame() {
  sound->playMusic("mus/eog.ogg", true);
  screen->snapshot();
  int cx = screen->width / 2, cy = screen->height / 2;
  std::string backdrop = "bg" + std::to_string(std::rand() % kEndBackdropCount) + ".dat";
  addSprite(newSprite(backdrop, 0, 1, cx, cy), 0);
  addSprite(newSprite("eog.dat", 0, 1, cx, cy), 1);
  addSprite(newSprite("eog.dat", 1, 1, cx, cy - kEndBannerOffsetY), 2);
  bool allPerfect = true;
  for (int level = 0; level < kStoryLevels; ++level) {
    auto found = ratings.find(level);
    if (found == ratings.end() || found->second != 100) allPerfect = false;
  }
  if (allPerfect) addSprite(newSprite("eog.dat", 2, 1, cx, cy + kEndBannerOffsetY), 2);
  addStateAction("JUMPSTATE_FALSE:credits", kAnyKey);
  levelEndDelay = kEndKeyDelay;
  crossFade(kEndFadeSeconds);
}

void GameApp::showHelpText() {
  // Creatures and the level clock wait while the player reads.
  if (player) paused = 1;
  screen->snapshot();
  int cx = screen->width / 2, cy = screen->height / 2;
  Sprite* panel = newSprite("help.dat", 0, 1, cx, cy);
  // Drawables on a layer sort by y; the panel must stay under its lines.
  panel->depthBias = kPanelDepthBias;
  addSprite(panel, kOverlayLayer);
  std::string fireKey = keyName(player ? player->firstCode("fire") : KEY_SPACE);
  std::array<std::string, 4> lines = helpLines(currentLevel, requiredCoins, fireKey);
  // Each line is centred in a 600-pixel box on the panel.
  int boxLeft = cx - kHelpTextWidth / 2;
  for (int i = 0; i < 4; ++i) {
    auto* label = new TextLabel(lines[i]);
    label->anchor = 1;
    label->setPosition(boxLeft + kHelpTextWidth / 2, cy + kHelpTextTopOffsets[i]);
    addSprite(label, kOverlayLayer);
  }
  addStateAction("endHelp", kAnyKey);
}
