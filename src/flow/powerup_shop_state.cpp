#include "flow/powerup_shop_state.h"

#include <allegro.h>

#include <algorithm>

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
const int kPanelFrame = 1;  // the help panel without its own words
const int kBoxW = 640;
const int kBoxDepthBias = -600, kLineDepthBias = 600;  // behind, in front of the panel
// Layout in pixels: the shop stands below the heads-up display and above
// the screen's bottom with a margin, centred in the rows between.
const int kScreenMargin = 8;
const int kBoxPad = 8, kRowGap = 6, kBoxToPanel = 6;
const int kIconPx = 60;
// Inside the panel's art: clear of its border and the bubbles drawn at its
// top corners, above the wave along its bottom.
const int kTextInset = 72, kFirstLineDown = 22, kLineSpacing = 24, kFilledLines = 4;
const int kWalletRowDown = 158;  // centre of the coins row
const int kCoinPx = 48, kCoinGap = 8;
const int kCoinFrame = 10, kCoinFrames = 20;
const float kCoinTurnS = 0.8f;
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
  Layout at = addPanelAndBox();
  addHeadings(at);
  addWallet(at);
  addDescriptionLines(at);
  showDescription();
  addItems(at);
  app.paused = 1;
  app.screen->waterEffect = false;
  bindShopKeys();
  crossFade(kEnterFadeS);
}

PowerupShopState::Layout PowerupShopState::addPanelAndBox() {
  GameApp& app = game();
  int centreX = app.screen->width / 2;
  Layout at;
  at.textHeight = app.textHeight(app.gameFont());
  at.boxHeight = 2 * kBoxPad + 2 * at.textHeight + 2 * kRowGap + kIconPx;
  Sprite* panel = newSprite("help.dat", kPanelFrame, 2, centreX, 0);
  at.panelHeight = panel->frameHeight();
  int top = app.hudBottom() + kScreenMargin;
  int room = app.screen->height - kScreenMargin - top;
  int spare = room - (at.boxHeight + kBoxToPanel + at.panelHeight);
  at.boxTop = top + std::max(0, spare / 2);
  at.panelTop = at.boxTop + at.boxHeight + kBoxToPanel;
  panel->setPosition(centreX, at.panelTop + at.panelHeight);
  addSprite(panel, kLayer);
  auto* box = new RectShape;
  box->width = kBoxW;
  box->height = at.boxHeight;
  box->anchor = 1;
  box->fillColour = makecol(0, 0, 64);
  box->bordered = true;
  box->borderColour = makecol(255, 255, 255);
  box->depthBias = kBoxDepthBias;
  box->setPosition(centreX, at.boxTop + at.boxHeight / 2);
  addSprite(box, kLayer);
  return at;
}

void PowerupShopState::addHeadings(const Layout& at) {
  heading = newLabel("Power-Up Shop", 1, game().screen->width / 2, at.boxTop + kBoxPad);
  addSprite(heading, kLayer);
}

// The coins held, led by a spinning coin, centred as one row in the panel.
void PowerupShopState::addWallet(const Layout& at) {
  GameApp& app = game();
  int rowY = at.panelTop + kWalletRowDown;
  wallet = newLabel("Coins: " + std::to_string(app.coins), 0, 0, rowY - at.textHeight / 2);
  int rowW = kCoinPx + kCoinGap + wallet->textWidth();
  int left = app.screen->width / 2 - rowW / 2;
  wallet->setPosition(left + kCoinPx + kCoinGap, rowY - at.textHeight / 2);
  wallet->depthBias = kLineDepthBias;
  addSprite(wallet, kLayer);
  Sprite* coin = newSprite("coin.dat", kCoinFrame, 1, left + kCoinPx / 2, rowY);
  coin->depthBias = kLineDepthBias;
  coin->playAnimation("rot", 0, kCoinFrames, kCoinTurnS, -1, false, 0.0f);
  addSprite(coin, kLayer);
}

void PowerupShopState::addDescriptionLines(const Layout& at) {
  int left = game().screen->width / 2 - kBoxW / 2 + kTextInset;
  int spacing = std::max(kLineSpacing, at.textHeight);
  for (int i = 0; i < kItemCount; ++i) {
    lines[i] = new TextLabel;
    lines[i]->depthBias = kLineDepthBias;
    if (i < kFilledLines) lines[i]->setPosition(left, at.panelTop + kFirstLineDown + i * spacing);
    addSprite(lines[i], kLayer);
  }
}

void PowerupShopState::addItems(const Layout& at) {
  int centreX = game().screen->width / 2;
  int iconY = at.boxTop + kBoxPad + at.textHeight + kRowGap + kIconPx / 2;
  int priceY = iconY + kIconPx / 2 + kRowGap;
  for (int i = 0; i < kItemCount; ++i) {
    int x = centreX + static_cast<int>((i - 2.5f) * kItemSpacing) + kItemSpacing / 2;
    prices[i] = newLabel(std::to_string(kItems[i].price), 1, x, priceY);
    addSprite(prices[i], kLayer);
    icons[i] = newSprite("powerups.dat", i, 1, x, iconY);
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
  prices.fill(nullptr);
  heading = wallet = nullptr;
}
