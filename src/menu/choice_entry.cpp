#include "menu/choice_entry.h"

#include <utility>

namespace {
const char kStateOpen[] = " [";
}

ChoiceEntry::ChoiceEntry(std::vector<std::string> texts, std::function<int()> inForce,
                         std::function<void(int)> onChoose)
    : choices(std::move(texts)), current(std::move(inForce)), choose(std::move(onChoose)) {}

void ChoiceEntry::step(float dt) {
  if (!updateLine(dt) || choices.empty() || !current) return;
  int index = current();
  std::string base = text.substr(0, text.find(kStateOpen));
  std::string shown = index >= 0 && index < static_cast<int>(choices.size()) ? choices[index] : "Other";
  std::string label = base + kStateOpen + shown + "]";
  // The glow bitmap is rebuilt only when the text really changes.
  if (label != text) setLabel(label);
}

void ChoiceEntry::onActivate() {
  if (choices.empty() || !current || !choose) return;
  int index = current();
  choose(index >= 0 ? (index + 1) % static_cast<int>(choices.size()) : 0);
}
