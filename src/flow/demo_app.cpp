#include "flow/demo_app.h"

#include <allegro.h>

#include "engine/datafile_cache.h"
#include "engine/rect_shape.h"
#include "engine/sprite.h"
#include "engine/screen.h"
#include "engine/text_label.h"
#include "engine/tile_map.h"
#include "sound/sound_manager.h"

namespace {

const int kLayerCount = 5;
const float kSwimSpeedPxPerS = 300.0f;
const int kFieldColumns = 40, kFieldRows = 20;

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

 private:
  RectShape* fish = nullptr;
  TextLabel* status = nullptr;
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
  addStateAction("quit", KEY_ESC);
  addStateAction("fade", KEY_SPACE);
}

void DemoState::update(float dt) {
  GameState::update(dt);
  float dx = (isDown("right") ? 1.0f : 0.0f) - (isDown("left") ? 1.0f : 0.0f);
  float dy = (isDown("down") ? 1.0f : 0.0f) - (isDown("up") ? 1.0f : 0.0f);
  fish->x += dx * kSwimSpeedPxPerS * dt;
  fish->y += dy * kSwimSpeedPxPerS * dt;
  status->text = "Arrows swim, Space fades, Esc quits   fps " +
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

void DemoApp::update(float dt) {
  Engine::update(dt);
  if (closeRequested) quit = true;
}
