#include "flow/help_text.h"

#include <algorithm>
#include <vector>

namespace {

// Rows are tested in order. A row matches the listed levels, or a range of
// levels when first <= last.
struct HelpRow {
  std::vector<int> levels;
  int first, last;
  const char* lines[4];
};

const char* const kCoinsMarker = "#coins";
const char* const kFireMarker = "#fire";

const HelpRow kHelpTable[] = {
    {{5, 14, 22, 38, 46}, 0, -1, {"Hang on tight!"}},
    {{3, 16, 25, 44}, 0, -1,
     {kCoinsMarker, "Use the coins to buy power-ups", "at the power-up shop. (TAB)"}},
    {{7, 17, 26, 48}, 0, -1, {"Run!!"}},
    {{0}, 0, -1,
     {"Collect all the Treasure Chests", "to proceed. Collect all the", "gems for a 100% rating!",
      "Press F1 to get help in-game."}},
    {{9}, 0, -1, {"Use the squid's ink blobs", "against him. Use your bubbles", "to freeze his attacks."}},
    {{19}, 0, -1, {"The swordfish has challenged", "you to a duel!", kFireMarker}},
    {{29}, 0, -1, {"Use your bubbles to deflect", "the leviathan's attacks!"}},
    {{39}, 0, -1, {"Dodge the Big Boss Bird's", "attacks. Watch out for spikes!"}},
    {{49}, 0, -1, {"You've reached the final boss!", "Good luck!"}},
    {{1000}, 0, -1, {"Track the shell with the", "treasure to win 5 coins."}},
    {{1001}, 0, -1,
     {"Disarm the bombs by trapping", "them in bubbles.", "Disarm all the bombs to win", "15 coins. Hurry!"}},
    {{1002}, 0, -1,
     {"Follow the dancing fish.", "Press left, right, up, down at", "the correct times to dance.",
      "Keep it up to win 25 coins!"}},
    {{}, 10, 19, {"Beware of the pirate fish!", "Rearrange the crates to ", "proceed."}},
    {{}, 20, 29,
     {"Watch out for the sentinel", "statues!", "You'll have to find some", "way to block their sight."}},
    {{}, 30, 39, {"You're a fish out of water!", "Press Up to jump."}},
    {{}, 40, 49, {"You've made it to the", "Shark's lair."}},
};

const char* const kDefaultLines[4] = {"To use your Bubbles,", kFireMarker, "Bubbles will trap your",
                                      "enemies for a short time."};

bool rowMatches(const HelpRow& row, int level) {
  if (row.first <= row.last) return level >= row.first && level <= row.last;
  return std::find(row.levels.begin(), row.levels.end(), level) != row.levels.end();
}

std::string fill(const char* line, int level, int requiredCoins, const std::string& fireKey) {
  if (!line) return "";
  std::string text = line;
  if (text == kCoinsMarker) return "Collect " + std::to_string(requiredCoins) + " coins to win.";
  if (text != kFireMarker) return text;
  // The duel names its attack; everywhere else the key shoots bubbles.
  return level == 19 ? "Press " + fireKey + " to attack." : "press " + fireKey;
}

}  // namespace

std::array<std::string, 4> helpLines(int level, int requiredCoins, const std::string& fireKey) {
  const char* const* lines = kDefaultLines;
  for (const HelpRow& row : kHelpTable) {
    if (rowMatches(row, level)) {
      lines = row.lines;
      break;
    }
  }
  std::array<std::string, 4> result;
  for (int i = 0; i < 4; ++i) result[i] = fill(lines[i], level, requiredCoins, fireKey);
  return result;
}
