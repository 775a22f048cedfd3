#pragma once
#include <array>
#include <set>
#include <string>

#include "engine/game_state.h"

class Sprite;
class TextLabel;

// "powerupShop": pushed over a level, shows the five power-ups with their
// prices and sells the selected one for coins. Closes after a purchase or
// on Escape, Tab or F5; the level stays paused while it is open.
class PowerupShopState : public GameState {
 public:
  static const int kItemCount = 5;

  int selected = 0;  // power-up index 0-4
  std::array<Sprite*, kItemCount> icons{};     // in index order; owned by the state
  std::array<TextLabel*, kItemCount> lines{};  // title and description; line 4 stays empty
  std::array<TextLabel*, kItemCount> prices{};  // under the icons
  TextLabel* heading = nullptr;                 // "Power-Up Shop"
  TextLabel* wallet = nullptr;                  // "Coins: " and the coins held

  PowerupShopState() { name = "powerupShop"; }
  void enter() override;
  void leave() override;
  void onAction(const std::string& action, bool pressed) override;

 private:
  std::set<std::string> armed;  // words whose key went down in the shop

  // Screen rows of the shop's two parts, below the heads-up display.
  struct Layout {
    int boxTop = 0, boxHeight = 0;
    int panelTop = 0, panelHeight = 0;
    int textHeight = 0;
  };

  Layout addPanelAndBox();
  void addHeadings(const Layout& at);
  void addWallet(const Layout& at);
  void addDescriptionLines(const Layout& at);
  void addItems(const Layout& at);
  void bindShopKeys();
  void select(int index);
  void showDescription();
  void buy();
  // Gives the player power-up index; false when it is refused.
  bool apply(int index);
  void close();
};
