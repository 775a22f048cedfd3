#include "menu/toggle_entry.h"

#include <utility>

namespace {
const char kStateOpen[] = " [";
}

ToggleEntry::ToggleEntry(bool* flag, const std::string& trueText, const std::string& falseText,
                         std::function<void()> onFlip)
    : target(flag), listener(std::move(onFlip)) {
  if (!trueText.empty()) onText = trueText;
  if (!falseText.empty()) offText = falseText;
}

void ToggleEntry::step(float dt) {
  if (!updateLine(dt) || !target) return;
  // Cut at the first bracket so the state part is replaced, never stacked.
  std::string base = text.substr(0, text.find(kStateOpen));
  setLabel(base + kStateOpen + (*target ? onText : offText) + "]");
}

void ToggleEntry::onActivate() {
  if (target) *target = !*target;
  if (listener) listener();
}
