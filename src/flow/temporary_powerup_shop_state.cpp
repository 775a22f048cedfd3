#include "flow/temporary_powerup_shop_state.h"

#include "engine/engine.h"
#include "engine/screen.h"
#include "engine/text_label.h"

namespace {
const int kOverlayLayer = 4;
const int kLineSpacing = 30;
}  // namespace

void TemporaryPowerupShopState::enter() {
  Screen& screen = *Engine::instance->screen;
  const char* lines[] = {"The Power-Up Shop is closed today.", "Press any key to go back."};
  for (int i = 0; i < 2; ++i) {
    auto* label = new TextLabel(lines[i]);
    label->anchor = 1;
    label->backdrop = true;
    label->setPosition(screen.width / 2, screen.height / 2 + (i - 1) * kLineSpacing);
    addSprite(label, kOverlayLayer);
  }
  unbind("close");
  bindKey("close", kAnyKey);
}

void TemporaryPowerupShopState::onAction(const std::string& action, bool pressed) {
  // The shop pops itself; it is the top state while its own keys are polled.
  if (action == "close" && !pressed) popState();
}
