#include "flow/cut_scene_state.h"

#include <allegro.h>

#include <algorithm>

#include "engine/engine.h"
#include "engine/screen.h"
#include "engine/sprite.h"
#include "engine/text_label.h"

namespace {

const float kEnterFadeSeconds = 0.5f;
const float kStepFadeSeconds = 0.2f;
const float kSelfStartSeconds = 2.0f;  // the first line shows on its own
const float kStepLockSeconds = 0.5f;   // keys ignored after each step
const float kProfessorSpeedPxPerS = 200.0f;
const float kHeroSpeedPxPerS = 300.0f;
// The two story lines sit one above the other and end 180 pixels below the
// screen centre, where the frame's lower band starts; with a 20-pixel font
// they start 140 and 160 below it.
const int kStoryTextBottom = 180;

const char* const kOpeningLine = "Once upon a time, deep under the sea...";

// Line 1 and line 2 of steps 1..16; null leaves a line empty.
const char* const kStory[][2] = {
    {"PROFESSOR: Gulpy, we have a problem...", nullptr},
    {"GULPY: What is it Professor?", nullptr},
    {"PROF: A shark has run off with our", "family treasure!"},
    {"PROF: You must follow him and get it back!", nullptr},
    {"GULPY: What? Why me?", nullptr},
    {"PROF: I'm afraid my adventuring days", "are far behind me..."},
    {"GULPY: What about MONTY and RAY?", nullptr},
    {"PROF: They'll be around to help you", "when you run into trouble."},
    {"GULPY: But.. I'm just a small fish!", nullptr},
    {"GULPY: What can I do against", "deadly sea creatures?"},
    {"PROF: With my Power-Ups you should be", "able to get past whatever is out there."},
    {"PROF: Just press TAB to visit my Shop!", nullptr},
    {"PROF: Use the coins that you find", "on your adventures to buy 'em."},
    {"PROF: If you need help at any time,", "press F1 to contact me!"},
    {"GULPY: Alright. I'll do it!", nullptr},
    {"PROF: Good luck Gulpy!", nullptr},
};
const int kStorySteps = static_cast<int>(sizeof(kStory) / sizeof(kStory[0]));

}  // namespace

void CutSceneState::enter() {
  Screen& screen = *Engine::instance->screen;
  screen.snapshot();
  buildScene(screen.width, screen.height);
  crossFade(kEnterFadeSeconds);
  // Bound afresh each time, so a second story does not stack the binding.
  unbind("next");
  bindKey("next", kAnyKey);
  step = 0;
  stepTimer = kSelfStartSeconds;
}

void CutSceneState::buildScene(int w, int h) {
  background = newSprite("bg0.dat", 0, 1, w / 2, h / 2 - 160);
  background->setClipRect(-320, -120, 320, 280);
  background->visible = false;
  addSprite(background, 0);

  scenery = newSprite("cutscene0.dat", 0, 2, w / 2 + 100, h / 2 + 120);
  scenery->visible = false;
  addSprite(scenery, 1);

  line1 = new TextLabel(kOpeningLine);
  line1->anchor = 1;
  line1->setPosition(w / 2, h / 2);
  addSprite(line1, 1);
  line2 = new TextLabel;
  line2->anchor = 1;
  addSprite(line2, 1);

  professor = newSprite("cutscene0.dat", 1, 2, w / 2 + 500, h / 2 + 120);
  addSprite(professor, 2);
  hero = newSprite("cutscene0.dat", 2, 2, w / 2 - 500, h / 2 + 70);
  addSprite(hero, 2);
}

void CutSceneState::update(float dt) {
  GameState::update(dt);
  if (stepTimer <= 0.0f) return;
  stepTimer -= dt;
  if (stepTimer > 0.0f) return;
  stepTimer = 0.0f;
  if (step == 0) onAction("next", false);
}

void CutSceneState::onAction(const std::string& action, bool pressed) {
  if (action != "next" || pressed || stepTimer != 0.0f) return;
  nextStep();
  crossFade(kStepFadeSeconds);
  stepTimer = kStepLockSeconds;
}

void CutSceneState::nextStep() {
  Screen& screen = *Engine::instance->screen;
  int w = screen.width, h = screen.height;
  step += 1;
  screen.snapshot();
  line1->text.clear();
  line2->text.clear();
  if (step > kStorySteps) {
    queueAction("JUMPSTATE:levelSelect");
    return;
  }
  line1->text = kStory[step - 1][0];
  if (kStory[step - 1][1]) line2->text = kStory[step - 1][1];
  if (step == 1) {
    background->visible = true;
    scenery->visible = true;
    int lineHeight = std::max(1, Engine::instance->textHeight(::font));
    line1->setPosition(w / 2, h / 2 + kStoryTextBottom - 2 * lineHeight);
    line2->setPosition(w / 2, h / 2 + kStoryTextBottom - lineHeight);
    professor->moveTo(static_cast<float>(w / 2 + 200), static_cast<float>(h / 2 + 120),
                      kProfessorSpeedPxPerS);
  }
  if (step == 2) {
    hero->moveTo(static_cast<float>(w / 2 - 200), static_cast<float>(h / 2 + 70), kHeroSpeedPxPerS);
  }
}
