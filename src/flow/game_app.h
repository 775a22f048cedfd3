#pragma once
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/datafile_ref.h"
#include "engine/drawable.h"
#include "engine/engine.h"
#include "engine/sprite.h"
#include "flow/profile_store.h"
#include "game/actor_index.h"

class Actor;
class DanceGame;
class Menu;
class ParticleSystem;
class Player;
struct ProfileProgress;
class RunRecords;
class TileMap;
class Treasure;

// Level numbers from here on are the mini-games (1000..1003).
const int kFirstMiniGameLevel = 1000;

// The game: registers its states, gives every action word its meaning,
// keeps the profile and the level's shared data, draws the heads-up display
// and builds the screens that are only names on the state stack ("helpText",
// "100%", "eog", "credits"). main makes exactly one, on its stack.
class GameApp : public Engine {
 public:
  // Profile values.
  int bubbleLimit = 0;
  int coins = 0;
  int levelsBeaten = 0;
  std::map<int, int> ratings;    // level -> best rating, percent
  std::map<int, int> bestTimes;  // level -> best time, whole seconds (0 = none)
  std::string currentProfile;
  std::vector<std::string> profiles;

  int currentLevel = 0;  // 0..49 story levels, kFirstMiniGameLevel.. mini-games
  // One byte each; bools so the option toggles can flip them directly.
  bool waterEffect = true;
  bool highResolution = false, fullScreen = false;
  int levelWidth = 0, levelHeight = 0;
  int requiredCoins = 0;
  int treasureTotals[4] = {0, 0, 0, 0};     // treasure kinds 0, 1, 2, 4
  int treasureCollected[4] = {0, 0, 0, 0};  // likewise
  int selectedLevel = 0;
  unsigned char levelWon = 0;
  Player* player = nullptr;  // owned by the state that made it
  TileMap* tileMap = nullptr;
  TileMap* decorMap = nullptr;
  Sprite* menuBackground = nullptr;
  std::vector<Actor*> actors;
  ActorIndex actorIndex;  // the sentinels, solid actors and coins of actors
  std::vector<Treasure*> treasures;
  ParticleSystem* particles[3] = {nullptr, nullptr, nullptr};
  float restartTimer = 0.0f;    // seconds; > 0 while a restart waits
  float pauseCountdown = 0.0f;  // seconds; at 0 clears paused, -1 holds
  unsigned char paused = 0;
  float levelEndDelay = 0.0f;  // seconds before "100%" and "eog" take a key
  int maxHearts = 0, hearts = 0;
  Drawable camera;
  // Level row a boss flies along that the camera keeps below the heads-up
  // display while the fish stays on screen; -1 for none.
  float bossFlightTop = -1.0f;
  DatafileRef font;  // object 0 the game font, object 1 its palette
  Sprite hudSprite, heartSprite, helpSprite, powerupSprite;
  int levelKind = 0;
  Menu* inGameMenu = nullptr;
  Menu* titleMenu = nullptr;
  std::string newProfileName;
  float levelTime = 0.0f;  // seconds, capped at 599
  unsigned char levelFrozen = 0;  // the dance game: no level time, no music
  // Set by demos: told the rating of a level as it is won, before anything
  // is saved; true stops the level there (no save, no next level).
  std::function<bool(int rating)> levelWonHook;
  // Set by demos: every entry of a level seeds the random numbers with it.
  // Unset, each entry seeds from the clock.
  std::optional<unsigned> levelSeed;
  // Seconds the "Progress could not be saved" line still shows: set by a
  // progress save that failed, so the player learns of it on the next screen.
  float saveFailedNotice = 0.0f;
  // Why the level last entered could not be loaded; empty when it was.
  std::string levelLoadProblem;
  DanceGame* danceGame = nullptr;  // the dance level's controller, told the fish's steps
  // The profile's kept runs: recorded as levels are played, raced as ghosts.
  std::unique_ptr<RunRecords> runs;

  // The one game, set by the constructor.
  static GameApp* instance;

  GameApp();
  ~GameApp() override;

  void onAction(const std::string& name, bool pressed) override;
  void init() override;
  // The game's part of init, once Allegro, the sound and the screen exist;
  // tests run it over a memory screen.
  void initGame();
  // Once per frame, before drawing.
  void update(float dt) override;
  void start() override { run(); }
  void updateStateByName(const std::string& name, float dt) override;
  void onStatePushed(const std::string& name) override;
  void onStatePopped(const std::string& name) override;
  // Mode switches lose the palette the colour font draws through.
  void onDisplayModeChanged() override;
  void drawOverlay() override;
  void drawBackground() override {}

  // The next story level, or back to the title after a mini-game.
  void endLevel();
  // Set before init for testers' and designers' runs: the game opens this
  // level straight away instead of the logo (-1: the usual start).
  int launchLevel = -1;
  // Blocking yes/no prompt over the current picture: Y true, N or Esc false.
  bool confirm(const std::string& text);
  bool isStacked(const std::string& name) { return findOnStack(name) != nullptr; }

  // Profiles.
  // A sixth profile, a duplicate or a name unfit for a file is refused.
  void createProfile(const std::string& name);
  void selectProfile(const std::string& name);
  // Asks first; the last remaining profile is never deleted.
  void deleteProfile(const std::string& name);
  void loadProfile();
  void saveProfile();
  // Adds amount (or takes it, when negative) to coins, kept within 0..kMaxCoins.
  void addCoins(int amount);
  void loadProfileList();
  void saveProfileList();
  std::string keyConfigPath() const;
  // The player's default bindings, then those saved for the current profile
  // (written from the defaults when the profile has none yet).
  void loadPlayerKeys();
  // Writes the gamepad's buttons for the current profile.
  void savePadConfig();

  // Level services. Tile coordinates are cells of 80 x 80 pixels; with no
  // tile map every tile counts as solid.
  // Tile ids 0-6 (walls); cells outside the grid read as wall.
  bool isSolidTile(int tx, int ty);
  // A solid tile, or a sentinel standing in it.
  bool isBlocked(int tx, int ty);
  // A visible solid actor stands in the tile holding pixel (px, py).
  bool solidActorAt(int px, int py);
  // Another visible solid actor is closer than 64 px to actors[index].
  bool solidActorNear(int index);
  // An actor made from datafileName ("dat/crab.dat") stands in the tile.
  bool actorOfKindAt(int tx, int ty, const std::string& datafileName);
  // Slides actor to the last free tile in direction (0 left, 1 right,
  // 2 down, 3 up) at speed px/s, stopped by walls, sentinels and solid
  // actors; never into column or row 0.
  void slideActor(int direction, Actor* actor, float speed);
  // Runs onAdded, puts the actor on layer 2 of the top state, appends it.
  void addActor(Actor* actor);
  // addActor, then centres it on the tile, yOffset px lower.
  void addActorAtTile(Actor* actor, int tx, int ty, int yOffset);
  void removeActor(Actor* actor);
  // A treasure of kind at the tile centre moved by (dx, dy), on layer 2.
  Treasure* createTreasure(int tx, int ty, int kind, int dx, int dy);
  void placePlayer(int tx, int ty);
  void createPlayer();
  // Counts the collected treasures of each kind into treasureCollected.
  void countTreasures();
  // The player, or the point 200 px ahead of the ride while riding.
  void cameraTarget(float& targetX, float& targetY);
  // Puts the camera on cameraTarget, kept inside the level, except that it
  // keeps the fish and a boss's flight path clear of the heads-up display.
  void followCamera();
  // The screen row below what the heads-up display covers at the top of
  // the current level (0 where it shows nothing there); also puts the
  // display's sprite where it is drawn.
  int hudBottom();
  // treasureTotals / treasureCollected slot of a treasure kind; -1 for none.
  static int treasureSlot(int kind);

  // The window's close button: the next update quits as "quit" does, even
  // where actions are ignored. Called on Allegro's window thread.
  static void onCloseButton();
  // A close button or a SIGTERM/SIGINT not yet acted on: blocking prompts
  // give up, and the next update quits.
  static bool quitPending();

  // The game font, or null before init.
  FONT* gameFont();

 private:
  using Handler = void (GameApp::*)(const std::string& name, bool pressed);
  struct ActionRow;
  static const ActionRow kActionTable[];

  std::vector<std::unique_ptr<GameState>> ownedStates;

  void registerStates();
  void applyProgress(const ProfileProgress& progress);
  // value clamped to low..high; a value outside is logged as what.
  int saneValue(const std::string& what, int value, int low, int high) const;
  void writeDefaultKeyConfig();
  void loadInterfaceArt();
  bool actionGuardsHandled(const std::string& name, bool pressed);
  bool mayOpenOverlay();
  void showEndOfGame();
  void showLevelPerfect();
  void showHelpText();

  // The menus join here; until they exist these reach the temporary title.
  void showTitleMenuPage(const std::string& page);
  void showInGameMenuPage(const std::string& page);
  bool inGameMenuVisible() const;
  void showInGameMenu();
  void hideInGameMenu();

  float fishTop();
  void findSlideStops(bool alongRow, int line, std::vector<int>& sentinelStops,
                      std::vector<int>& solidStops);
  void drawHud(BITMAP* target);
  void drawHudCounters(BITMAP* target, int look);
  void drawStatusLines(BITMAP* target);
  void drawLevelSelectStatus(BITMAP* target);
  void drawSaveFailedNotice(BITMAP* target);

  // Action handlers, one per row of the table.
  void onCreateNewProfile(const std::string&, bool);
  void onMenuOpensShop(const std::string&, bool);
  void onMenuOpensHelp(const std::string&, bool);
  void onPushHelpTrue(const std::string&, bool);
  void onPushShopTrue(const std::string&, bool);
  void onPushHelp(const std::string&, bool);
  void onPushShop(const std::string&, bool);
  void onEndHelp(const std::string&, bool);
  void onSetProfile(const std::string& name, bool);
  void onDeleteProfile(const std::string& name, bool);
  void onLevel(const std::string& name, bool);
  void onCredits(const std::string&, bool);
  void onExitOptionsMenu(const std::string&, bool);
  void onInGameMenuExitsOptions(const std::string&, bool);
  void onSaveKeyConfig(const std::string&, bool);
  void onResetKeyConfig(const std::string&, bool);
  void onSavePadConfig(const std::string&, bool);
  void onResetPadConfig(const std::string&, bool);
  void onOpenInGameMenu(const std::string&, bool);
  void onCloseInGameMenu(const std::string&, bool);
  void onSkipLevel(const std::string&, bool);
  void onQuit(const std::string&, bool);
  void onReallyQuit(const std::string&, bool);
  void onStart(const std::string&, bool);
  void onJumpStateOnRelease(const std::string& name, bool);
  void onJumpState(const std::string& name, bool);
};
