// The game's action words and what each one does.
#include <allegro.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "engine/log.h"
#include "engine/screen.h"
#include "flow/game_app.h"
#include "game/actors/player.h"
#include "sound/sound_manager.h"

namespace {

const float kMenuFadeSeconds = 0.25f;
const int kCompleteVolume = 255, kCompletePan = 128, kCompletePitch = 1000;

// kPrefix words match at the start of the action only: every word the game
// builds begins with its marker, and a profile name inside the argument
// (for example "DELPROFILE:xSETPROFILE") must not pick another row.
enum Match { kExact, kPrefix };
enum When { kOnPress, kOnRelease, kAlways };

// The text after a marker that starts the word; empty when the word is too
// short, so a malformed word never reads past its end.
std::string argumentAt(const std::string& word, size_t position) {
  return position < word.size() ? word.substr(position) : std::string();
}

// A level number; false for text that is not a whole number in int range.
bool parseLevel(const std::string& text, int& level) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long long value = std::strtoll(text.c_str(), &end, 10);
  if (end == text.c_str() || errno == ERANGE || value < INT_MIN || value > INT_MAX) return false;
  level = static_cast<int>(value);
  return true;
}

}  // namespace

struct GameApp::ActionRow {
  const char* word;
  Match match;
  When when;
  Handler handler;
};

// Tested in order; the first row that matches acts.
const GameApp::ActionRow GameApp::kActionTable[] = {
    {"createNewProfile", kExact, kOnPress, &GameApp::onCreateNewProfile},
    {"inGameMenuOpensPowerupShop", kExact, kOnPress, &GameApp::onMenuOpensShop},
    {"inGameMenuOpensHelpText", kExact, kOnPress, &GameApp::onMenuOpensHelp},
    {"pushHelpText_true", kExact, kOnPress, &GameApp::onPushHelpTrue},
    {"pushPowerupShop_true", kExact, kOnPress, &GameApp::onPushShopTrue},
    {"pushHelpText", kExact, kOnRelease, &GameApp::onPushHelp},
    {"pushPowerupShop", kExact, kOnRelease, &GameApp::onPushShop},
    {"endHelp", kExact, kOnRelease, &GameApp::onEndHelp},
    {"SETPROFILE", kPrefix, kAlways, &GameApp::onSetProfile},
    {"DELPROFILE:", kPrefix, kAlways, &GameApp::onDeleteProfile},
    {"LEVEL", kPrefix, kAlways, &GameApp::onLevel},
    {"credits", kExact, kOnPress, &GameApp::onCredits},
    {"exitOptionsMenu", kExact, kOnPress, &GameApp::onExitOptionsMenu},
    {"inGameMenuExitsOptions", kExact, kOnPress, &GameApp::onInGameMenuExitsOptions},
    {"saveKeyConfig", kExact, kOnPress, &GameApp::onSaveKeyConfig},
    {"resetKeyConfig", kExact, kOnPress, &GameApp::onResetKeyConfig},
    {"openInGameMenu", kExact, kOnPress, &GameApp::onOpenInGameMenu},
    {"closeInGameMenu", kExact, kOnPress, &GameApp::onCloseInGameMenu},
    {"skipLevel", kExact, kOnPress, &GameApp::onSkipLevel},
    {"quit", kExact, kOnPress, &GameApp::onQuit},
    {"reallyQuit", kExact, kOnPress, &GameApp::onReallyQuit},
    {"start", kExact, kOnPress, &GameApp::onStart},
    {"JUMPSTATE_FALSE:", kPrefix, kOnRelease, &GameApp::onJumpStateOnRelease},
    {"JUMPSTATE:", kPrefix, kOnPress, &GameApp::onJumpState},
};

void GameApp::onAction(const std::string& name, bool pressed) {
  if (actionGuardsHandled(name, pressed)) return;
  for (const ActionRow& row : kActionTable) {
    bool wordMatches = row.match == kExact ? name == row.word : name.rfind(row.word, 0) == 0;
    bool timeMatches = row.when == kAlways || (row.when == kOnPress) == pressed;
    if (!wordMatches || !timeMatches) continue;
    (this->*row.handler)(name, pressed);
    return;
  }
}

bool GameApp::actionGuardsHandled(const std::string& name, bool pressed) {
  // The end of the game holds every key, even quit, until it has been seen.
  if (isStacked("eog") && levelEndDelay != 0.0f) return true;
  if (levelEndDelay == 0.0f && name == "endLevel" && !pressed) {
    endLevel();
    return true;
  }
  return false;
}

bool GameApp::mayOpenOverlay() {
  return player && !player->dead && paused == 0 && pauseCountdown == 0.0f &&
         !isStacked("helpText") && !isStacked("powerupShop");
}

void GameApp::onCreateNewProfile(const std::string&, bool) {
  createProfile(newProfileName);
  queueAction("JUMPSTATE:title");
}

void GameApp::onMenuOpensShop(const std::string&, bool) {
  queueAction("closeInGameMenu");
  queueAction("pushPowerupShop_true");
  if (menuBackground) menuBackground->visible = false;
}

void GameApp::onMenuOpensHelp(const std::string&, bool) {
  queueAction("closeInGameMenu");
  queueAction("pushHelpText_true");
  if (menuBackground) menuBackground->visible = false;
}

void GameApp::onPushHelpTrue(const std::string&, bool) { onAction("pushHelpText", false); }

void GameApp::onPushShopTrue(const std::string&, bool) { onAction("pushPowerupShop", false); }

void GameApp::onPushHelp(const std::string&, bool) {
  if (mayOpenOverlay()) pushState("helpText");
}

void GameApp::onPushShop(const std::string&, bool) {
  if (mayOpenOverlay()) pushState("powerupShop");
}

void GameApp::onEndHelp(const std::string&, bool) {
  if (isStacked("helpText")) popState();
}

void GameApp::onSetProfile(const std::string& name, bool) {
  selectProfile(argumentAt(name, std::string("SETPROFILE:").size()));
}

void GameApp::onDeleteProfile(const std::string& name, bool) {
  deleteProfile(argumentAt(name, std::string("DELPROFILE:").size()));
}

void GameApp::onLevel(const std::string& name, bool) {
  int level = 0;
  // Unreadable or negative numbers name no level; they are dropped.
  if (!parseLevel(argumentAt(name, std::string("LEVEL:").size()), level) || level < 0) {
    logInfo("no such level: " + name);
    return;
  }
  if (level >= kFirstMiniGameLevel && levelsBeaten < 10LL * level - 9990) {
    showTitleMenuPage("BadMiniGame");
    return;
  }
  currentLevel = level;
  switchState("inGame");
}

void GameApp::onCredits(const std::string&, bool) { switchState("credits"); }

void GameApp::onExitOptionsMenu(const std::string&, bool) {
  saveSettings();
  sound->saveVolumes();
  saveProfile();  // the water effect is a profile value: keep it too
  showTitleMenuPage("Main");
}

void GameApp::onInGameMenuExitsOptions(const std::string&, bool) {
  sound->saveVolumes();
  showInGameMenuPage("Main");
}

void GameApp::onSaveKeyConfig(const std::string&, bool) {
  if (player) player->save(keyConfigPath());
  showTitleMenuPage("Options");
}

void GameApp::onResetKeyConfig(const std::string&, bool) {
  if (!player) return;
  player->bindDefaultKeys();
  player->save(keyConfigPath());
}

void GameApp::onOpenInGameMenu(const std::string&, bool) {
  bool allowed = player && !player->dead && pauseCountdown == 0.0f && !inGameMenuVisible() &&
                 !isStacked("helpText") && paused == 0;
  if (!allowed) return;
  paused = 1;
  screen->waterEffect = false;
  if (restartTimer != 0.0f) return;
  // Collected first: unbinding changes the map being walked.
  std::vector<std::string> actions;
  for (const auto& binding : player->bindings) actions.push_back(binding.first);
  for (const std::string& action : actions) player->unbind(action);
  if (menuBackground) {
    menuBackground->visible = true;
    menuBackground->alphaInterp.start(255.0f, kMenuFadeSeconds, 0);
  }
  showInGameMenu();
}

void GameApp::onCloseInGameMenu(const std::string&, bool) {
  paused = 0;
  bool outOfWater = player && (player->hopMode || player->rideExhaust);
  screen->waterEffect = outOfWater ? false : waterEffect != 0;
  loadPlayerKeys();
  if (player) player->ignoreHeldInputs();  // the key that chose "Continue" is the menu's
  if (menuBackground) menuBackground->alphaInterp.start(0.0f, kMenuFadeSeconds, 0);
  hideInGameMenu();
}

void GameApp::onSkipLevel(const std::string&, bool) {
  sound->playSample("levelcomplete", kCompleteVolume, kCompletePan, kCompletePitch, false);
  currentLevel += 1;
  switchState("inGame");
}

void GameApp::onQuit(const std::string&, bool) {
  quit = true;
  saveSettings();
}

void GameApp::onReallyQuit(const std::string&, bool) { quit = true; }

void GameApp::onStart(const std::string&, bool) {
  switchState(levelsBeaten != 0 ? "levelSelect" : "cutScene");
}

void GameApp::onJumpStateOnRelease(const std::string& name, bool) {
  std::string target = argumentAt(name, std::string("JUMPSTATE_FALSE:").size());
  if (!target.empty()) switchState(target);
}

void GameApp::onJumpState(const std::string& name, bool) {
  std::string target = argumentAt(name, std::string("JUMPSTATE:").size());
  if (!target.empty()) switchState(target);
}
