#include "flow/demo_app.h"

#include <allegro.h>

#include "engine/datafile_cache.h"
#include "engine/rect_shape.h"
#include "engine/sprite.h"
#include "engine/screen.h"
#include "engine/text_label.h"
#include "engine/tile_map.h"
#include "menu/menu.h"
#include "menu/text_input_entry.h"
#include "sound/sound_manager.h"

namespace {

const int kLayerCount = 5;
const float kSwimSpeedPxPerS = 300.0f;
const int kFieldColumns = 40, kFieldRows = 20;
const float kSlowMotionScale = 0.5f;
const float kSfxPreviewCooldownS = 0.5f;
const int kMenuTop = 150;          // px
const int kMenuLineSpacing = 8;    // px between lines
const int kPanelWidth = 420, kPanelHeight = 260;
const int kCursorArm = 5;          // px either side of the mouse point

volatile bool closeRequested = false;
void onCloseButton() { closeRequested = true; }
END_OF_FUNCTION(onCloseButton)

// Tiles drawn as coloured squares with an outline, numbered by colour.
class DemoTiles : public TileMap {
 public:
  void drawTile(BITMAP* target, int sx, int sy, int tile) override {
    static const int kColours[][3] = {{40, 120, 90}, {60, 150, 110}, {200, 180, 90}};
    const int* c = kColours[tile % 3];
    rectfill(target, sx, sy, sx + tileWidth - 1, sy + tileHeight - 1, makecol(c[0], c[1], c[2]));
    rect(target, sx, sy, sx + tileWidth - 1, sy + tileHeight - 1, makecol(20, 60, 50));
  }
};

class DemoState : public GameState {
 public:
  DemoState() { name = "demo"; }
  void enter() override;
  void update(float dt) override;
  void onAction(const std::string& action, bool pressed) override;

 private:
  void buildMenu();
  void buildOptionsPage();
  void showMenu(bool on);
  void onMenuAction(const std::string& action);

  RectShape* fish = nullptr;
  TextLabel* status = nullptr;
  Menu* menu = nullptr;
  RectShape* panel = nullptr;
  bool slowMotion = false;
  std::string playerName = "Gulpy";
};

void DemoState::enter() {
  auto* water = new RectShape;
  water->width = 800;
  water->height = 600;
  water->fillColour = makecol(20, 70, 140);
  addSprite(water, 0);

  auto* tiles = new DemoTiles;
  tiles->tileWidth = tiles->tileHeight = 80;
  for (int c = 0; c < kFieldColumns; ++c) {
    tiles->setCell(c, kFieldRows - 1, c % 3);
    if (c % 7 == 3) tiles->setCell(c, kFieldRows - 2, 2);
  }
  addSprite(tiles, 1);

  fish = new RectShape;
  fish->anchor = 1;
  fish->width = 64;
  fish->height = 40;
  fish->bordered = true;
  fish->fillColour = makecol(255, 170, 40);
  fish->borderColour = makecol(0, 0, 0);
  fish->setPosition(400, (kFieldRows - 4) * 80);
  addSprite(fish, 2);
  Engine::instance->screen->setCameraTarget(fish);

  auto* title = new TextLabel("Tidewell Quest engine demo");
  title->anchor = 1;
  title->x = 400;
  title->y = 20;
  title->shadowOffset = 1;
  title->colour = makecol(255, 255, 255);
  addSprite(title, 4);

  // Rotating coins along the sea floor and the title art over the scene.
  for (int i = 0; i < 6; ++i) {
    auto* coin = new Sprite;
    coin->datafile.open("coin.dat");
    coin->anchor = 1;
    coin->setPosition(200 + i * 240, (kFieldRows - 2) * 80 - 40);
    coin->playAnimation("spin", 0, 20, 1.0f + 0.1f * i, -1, false, 0.0f);
    addSprite(coin, 2);
  }
  auto* logo = new Sprite;
  logo->datafile.open("title.dat");
  logo->anchor = 1;
  logo->setPosition(400, 130);
  logo->alpha = 0;
  logo->command("alphaInt 255 1.5 0");
  addSprite(logo, 4);

  status = new TextLabel;
  status->anchor = 0;
  status->backdrop = true;
  status->colour = makecol(255, 255, 160);
  status->setPosition(10, 570);
  addSprite(status, 4);

  bindKey("left", KEY_LEFT);
  bindKey("right", KEY_RIGHT);
  bindKey("up", KEY_UP);
  bindKey("down", KEY_DOWN);
  bindKey("menu", KEY_M);
  bindKey("escape", KEY_ESC);
  bindKey("fade", KEY_SPACE);
  buildMenu();
}

// Every kind of menu line on a few pages, over a dark panel; M opens it.
void DemoState::buildMenu() {
  panel = new RectShape;
  panel->anchor = 1;
  panel->width = kPanelWidth;
  panel->height = kPanelHeight;
  panel->depthBias = -1000;  // under the menu whatever their heights
  panel->bordered = true;
  panel->fillColour = makecol(10, 30, 60);
  panel->borderColour = makecol(120, 200, 255);
  panel->setPosition(400, kMenuTop + kPanelHeight / 2 - 30);
  addSprite(panel, 4);

  menu = new Menu;
  menu->anchor = 1;
  menu->lineSpacing = kMenuLineSpacing;
  menu->hoverWidth = 160;
  menu->moveSound = "bubble";
  menu->activateSound = "bubblehit";
  menu->setPosition(400, kMenuTop);
  menu->actionHandler = [this](const std::string& action) { onMenuAction(action); };
  // Pale enough for the additive glow to show the highlight.
  int pale = makecol(150, 170, 200);
  menu->lineColour = pale;
  menu->addEntry("Main", "Resume", "closeMenu", nullptr, pale, 0);
  menu->addEntry("Main", "Options", "LINKTO:Options", nullptr, pale, 0);
  menu->addEntry("Main", "Keys", "LINKTO:Keys", nullptr, pale, 0);
  menu->addEntry("Main", "Name", "LINKTO:Name", nullptr, pale, 0);
  menu->addEntry("Main", "Locked (skipped)", "", nullptr, makecol(90, 90, 90), 0)->enabled = false;
  menu->addEntry("Main", "Quit", "quit", nullptr, pale, 0);
  buildOptionsPage();
  menu->addKeyCapture("Keys", "Swim Up", this, "up", "");
  menu->addKeyCapture("Keys", "Swim Down", this, "down", "");
  menu->addKeyCapture("Keys", "Swim Left", this, "left", "");
  menu->addKeyCapture("Keys", "Swim Right", this, "right", "");
  menu->addEntry("Keys", "Back", "LINKTO:Main", nullptr, pale, 0);
  menu->addTextInput(&playerName, "Name", "Name:", "", 48)->maxLength = 12;
  menu->addEntry("Name", "Back", "LINKTO:Main", nullptr, pale, 0);
  menu->showPage("Main");
  menu->update(50.0f);  // settle the glows
  addSprite(menu, 4);
  showMenu(false);
}

void DemoState::buildOptionsPage() {
  SoundManager* sound = Engine::instance->sound;
  int music = sound ? static_cast<int>(sound->musicVolume) : 255;
  int sfx = sound ? sound->sfxVolume : 255;
  menu->addSlider("Options", "Music", music, 255, [sound](int v) {
    if (sound) sound->setMusicVolume(v);
  }, "");
  menu->addSlider("Options", "SFX", sfx, 255, [sound](int v) {
    if (!sound) return;
    sound->setSfxVolume(v);
    sound->playSampleThrottled("bubble", kSfxPreviewCooldownS, 255, 128, 1000, false);
  }, "");
  menu->addToggle("Options", "Water Effect", "", &Engine::instance->screen->waterEffect, "", "");
  menu->addToggle("Options", "Slow Motion", "", &slowMotion, "Yes", "No", [this] {
    Engine::instance->timeScale = slowMotion ? kSlowMotionScale : 1.0f;
  });
  menu->addEntry("Options", "Back", "LINKTO:Main", nullptr, menu->lineColour, 0);
}

void DemoState::showMenu(bool on) {
  if (!on) menu->showPage("Main");
  menu->visible = on;
  panel->visible = on;
}

void DemoState::onMenuAction(const std::string& action) {
  if (action == "closeMenu") showMenu(false);
  if (action == "quit") queueAction("quit");
}

// Escape closes an open menu (unless a key is being captured) and quits
// from the game view.
void DemoState::onAction(const std::string& action, bool pressed) {
  if (!pressed) return;
  if (action == "menu" && !menu->visible) showMenu(true);
  if (action == "fade" && !menu->visible) queueAction("fade");
  if (action != "escape") return;
  if (!menu->visible) {
    queueAction("quit");
  } else if (!menu->inputLocked) {
    showMenu(false);
  }
}

void DemoState::update(float dt) {
  GameState::update(dt);
  if (menu->visible) {
    status->text = "Arrows/mouse choose, Enter/Space/click act, Esc closes   name: " + playerName;
    return;
  }
  float dx = (isDown("right") ? 1.0f : 0.0f) - (isDown("left") ? 1.0f : 0.0f);
  float dy = (isDown("down") ? 1.0f : 0.0f) - (isDown("up") ? 1.0f : 0.0f);
  fish->x += dx * kSwimSpeedPxPerS * dt;
  fish->y += dy * kSwimSpeedPxPerS * dt;
  status->text = "Arrows swim, M menu, Space fades, Esc quits   " + playerName + "   fps " +
                 std::to_string(Engine::instance->fps);
}

}  // namespace

DemoApp::DemoApp() = default;

DemoApp::~DemoApp() { delete demoState; }

void DemoApp::init() {
  Engine::init();
  if (!screen->ready()) return;
  DatafileCache::instance().setDirectory("dat/");
  if (sound) sound->loadSamples("sfx/", ".ogg");
  if (sound) sound->playMusic("mus/title.ogg", true);
  set_window_title("Tidewell Quest");
  LOCK_FUNCTION(onCloseButton);
  set_close_button_callback(onCloseButton);
  screen->layers.resize(kLayerCount);
  screen->layers[0].followsCamera = false;
  screen->layers[4].followsCamera = false;
  if (sound) sound->loadSamples("sfx/", ".ogg");
  demoState = new DemoState;
  addState(demoState);
  switchState("demo");
}

void DemoApp::onAction(const std::string& name, bool pressed) {
  if (!pressed) return;
  if (name == "quit") quit = true;
  if (name == "fade") {
    if (sound) sound->playSample("bubble", 255, 0, 1000, false);
    screen->snapshot();
    screen->waterEffect = !screen->waterEffect;
    crossFade(0.5f);
  }
}

// The mouse has no hardware cursor here; a small cross marks it.
void DemoApp::drawOverlay() {
  if (!useMouse) return;
  BITMAP* target = screen->backBuffer;
  int colour = makecol(255, 255, 255);
  hline(target, mouse_x - kCursorArm, mouse_y, mouse_x + kCursorArm, colour);
  vline(target, mouse_x, mouse_y - kCursorArm, mouse_y + kCursorArm, colour);
}

void DemoApp::update(float dt) {
  Engine::update(dt);
  if (closeRequested) quit = true;
}
