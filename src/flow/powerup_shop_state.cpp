#include "flow/powerup_shop_state.h"

#include <allegro.h>

#include "engine/rect_shape.h"
#include "engine/screen.h"
#include "engine/sprite.h"
#include "engine/text_label.h"
#include "flow/game_app.h"
#include "game/actors/actor.h"
#include "game/actors/player.h"

namespace {

struct PowerupItem {
  const char* title;
  const char* description[3];
  int price;  // coins
};

// Indexed by power-up id, which is also the icon frame in "powerups.dat".
const PowerupItem kItems[PowerupShopState::kItemCount] = {
    {"INFINITE", {"This power-up enables you to", "fire an unlimited number of", "bubbles for a short time."}, 10},
    {"SPECIAL", {"This special move will bubble-", "trap all the enemies in the", "level!"}, 15},
    {"SPEED BOOST", {"Use this power-up to increase", "your speed.", "Has no effect on the Ray Fish."}, 10},
    {"UPGRADE", {"Increase your maximum bubble", "limit with this power-up.", ""}, 50},
    {"SLOW MOTION", {"Use this power-up to slow", "down the passage of time.", ""}, 20},
};

const float kInfiniteS = 20.0f, kSpeedBoostS = 30.0f, kSlowMotionS = 20.0f;
const float kSpecialTrapS = 10.0f;
const int kMaxBubbleLimit = 10;

const int kLayer = 4;
const int kPanelBottomY = 480;
const int kPanelFrame = 1;  // the help panel without its own words
const int kBoxW = 640, kBoxH = 200, kBoxCentreY = 380;  // box y = 380 - panel height
const int kBoxDepthBias = -600, kLineDepthBias = 600;
const int kTitleAboveBox = 90, kCoinsBelowBox = 70, kPricesBelowBox = 32;
const int kCoinIconLeftPx = 96;
const int kCoinFrame = 10, kCoinFrames = 20;
const float kCoinTurnS = 0.8f;
const int kLineLeftOfCentre = 300, kFirstLineY = 310, kLineSpacing = 24, kFilledLines = 4;
const int kItemSpacing = 96;
const float kSelectedAlpha = 255.0f, kOtherAlpha = 128.0f;
const float kSelectFadeS = 0.1f, kDeselectFadeS = 0.3f;
const float kEnterFadeS = 0.2f;
const float kResumeDelayS = 0.1f;

GameApp& game() { return *GameApp::instance; }

TextLabel* newLabel(const std::string& text, int anchor, int x, int y) {
  auto* label = new TextLabel(text);
  label->anchor = anchor;
  label->setPosition(x, y);
  return label;
}

}  // namespace

void PowerupShopState::enter() {
  GameApp& app = game();
  selected = 0;
  armed.clear();
  app.screen->snapshot();
  int boxY = addPanelAndBox();
  addHeadings(boxY);
  addDescriptionLines();
  showDescription();
  addItems(boxY);
  app.paused = 1;
  app.screen->waterEffect = false;
  bindShopKeys();
  crossFade(kEnterFadeS);
}

int PowerupShopState::addPanelAndBox() {
  int centreX = game().screen->width / 2;
  Sprite* panel = newSprite("help.dat", kPanelFrame, 2, centreX, kPanelBottomY);
  addSprite(panel, kLayer);
  auto* box = new RectShape;
  box->width = kBoxW;
  box->height = kBoxH;
  box->anchor = 1;
  box->fillColour = makecol(0, 0, 64);
  box->bordered = true;
  box->borderColour = makecol(255, 255, 255);
  box->depthBias = kBoxDepthBias;
  int boxY = kBoxCentreY - panel->frameHeight();
  box->setPosition(centreX, boxY);
  addSprite(box, kLayer);
  return boxY;
}

void PowerupShopState::addHeadings(int boxY) {
  GameApp& app = game();
  int centreX = app.screen->width / 2;
  addSprite(newLabel("Power-Up Shop", 1, centreX, boxY - kTitleAboveBox), kLayer);
  addSprite(newLabel("Coins: " + std::to_string(app.coins), 1, centreX, boxY + kCoinsBelowBox), kLayer);
  Sprite* coin = newSprite("coin.dat", kCoinFrame, 1, centreX - kCoinIconLeftPx, boxY + kCoinsBelowBox);
  coin->playAnimation("rot", 0, kCoinFrames, kCoinTurnS, -1, false, 0.0f);
  addSprite(coin, kLayer);
}

void PowerupShopState::addDescriptionLines() {
  int left = game().screen->width / 2 - kLineLeftOfCentre;
  for (int i = 0; i < kItemCount; ++i) {
    lines[i] = new TextLabel;
    lines[i]->depthBias = kLineDepthBias;
    if (i < kFilledLines) lines[i]->setPosition(left, kFirstLineY + i * kLineSpacing);
    addSprite(lines[i], kLayer);
  }
}

void PowerupShopState::addItems(int boxY) {
  int centreX = game().screen->width / 2;
  for (int i = 0; i < kItemCount; ++i) {
    int x = centreX + static_cast<int>((i - 2.5f) * kItemSpacing) + kItemSpacing / 2;
    addSprite(newLabel(std::to_string(kItems[i].price), 1, x, boxY + kPricesBelowBox), kLayer);
    icons[i] = newSprite("powerups.dat", i, 1, x, boxY);
    icons[i]->alpha = i == selected ? kSelectedAlpha : kOtherAlpha;
    addSprite(icons[i], kLayer);
  }
}

void PowerupShopState::bindShopKeys() {
  Player* player = game().player;
  auto playerCode = [player](const char* action, int fallback) {
    return player ? player->firstCode(action) : fallback;
  };
  const struct {
    const char* action;
    int code;
  } bindings[] = {
      {"powerupLeft", playerCode("left", KEY_LEFT)}, {"powerupRight", playerCode("right", KEY_RIGHT)},
      {"buyPowerup", playerCode("fire", KEY_SPACE)}, {"buyPowerup", KEY_SPACE},
      {"buyPowerup", KEY_ENTER},                     {"endPowerupShop", KEY_ESC},
      {"endPowerupShop", KEY_TAB},                   {"endPowerupShop", KEY_F5},
  };
  unbindAll();
  // A player action bound to nothing has no code to lend the shop.
  for (const auto& binding : bindings)
    if (binding.code >= 0) bindKey(binding.action, binding.code);
}

void PowerupShopState::onAction(const std::string& action, bool pressed) {
  if (pressed) {
    if (action == "powerupLeft") select((selected + kItemCount - 1) % kItemCount);
    else if (action == "powerupRight") select((selected + 1) % kItemCount);
    else armed.insert(action);
    return;
  }
  // A key already down when the shop opened (the menu's Enter) must not buy.
  if (armed.erase(action) == 0) return;
  if (action == "buyPowerup") buy();
  else if (action == "endPowerupShop") close();
}

void PowerupShopState::select(int index) {
  selected = index;
  showDescription();
  for (int i = 0; i < kItemCount; ++i) {
    if (!icons[i]) continue;
    if (i == selected) icons[i]->alphaInterp.start(kSelectedAlpha, kSelectFadeS, 0);
    else icons[i]->alphaInterp.start(kOtherAlpha, kDeselectFadeS, 0);
  }
}

void PowerupShopState::showDescription() {
  for (TextLabel* line : lines)
    if (line) line->text.clear();
  const PowerupItem& item = kItems[selected];
  if (lines[0]) lines[0]->text = item.title;
  for (int i = 0; i < 3; ++i)
    if (lines[i + 1]) lines[i + 1]->text = item.description[i];
}

void PowerupShopState::buy() {
  GameApp& app = game();
  const PowerupItem& item = kItems[selected];
  if (app.coins < item.price || !apply(selected)) return;
  app.coins -= item.price;
  close();
}

bool PowerupShopState::apply(int index) {
  GameApp& app = game();
  Player* player = app.player;
  if (!player) return false;
  switch (index) {
    case kPowerupInfinite:
      if (player->hasPowerup(kPowerupInfinite)) return false;
      player->addPowerup(kPowerupInfinite, kInfiniteS);
      return true;
    case kPowerupSpecial:
      for (Actor* actor : app.actors)
        if (actor->visible && !actor->untrappable) actor->trapInBubble(kSpecialTrapS);
      return true;
    case kPowerupSpeedBoost:
      if (player->riding() || player->hasPowerup(kPowerupSpeedBoost)) return false;
      player->addPowerup(kPowerupSpeedBoost, kSpeedBoostS);
      return true;
    case kPowerupUpgrade:
      if (app.bubbleLimit >= kMaxBubbleLimit) return false;
      app.bubbleLimit += 1;
      app.saveProfile();
      player->bubbles = app.bubbleLimit;
      return true;
    case kPowerupSlowMotion:
      player->addPowerup(kPowerupSlowMotion, kSlowMotionS);
      return true;
    default:
      return false;
  }
}

void PowerupShopState::close() {
  if (!findOnStack(name)) return;
  popState();
  unbindAll();  // ends the poll this close came from
}

void PowerupShopState::leave() {
  GameApp& app = game();
  app.pauseCountdown = kResumeDelayS;
  Player* player = app.player;
  // Out of the water (on land or on the rocket) the waves stay off.
  bool outOfWater = player && (player->hopMode || player->rideExhaust);
  if (!outOfWater) app.screen->waterEffect = app.waterEffect;
  icons.fill(nullptr);
  lines.fill(nullptr);
}
