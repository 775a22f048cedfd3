#include "engine/game_state.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/drawable.h"
#include "engine/engine.h"
#include "engine/screen.h"
#include "support/test_support.h"

namespace {

std::vector<std::string> events;

struct TracingEngine : Engine {
  std::vector<std::pair<std::string, bool>> actions;
  void onAction(const std::string& name, bool pressed) override { actions.emplace_back(name, pressed); }
  void start() override {}
  void onStatePushed(const std::string& name) override { events.push_back("pushed " + name); }
  void updateStateByName(const std::string& name, float) override { events.push_back("byName " + name); }
};

struct TracingState : GameState {
  std::function<void()> onEnter, onUpdate;
  explicit TracingState(const std::string& stateName) { name = stateName; }
  void enter() override {
    events.push_back("enter " + name);
    if (onEnter) onEnter();
  }
  void leave() override { events.push_back("leave " + name); }
  void update(float dt) override {
    GameState::update(dt);
    events.push_back("update " + name);
    if (onUpdate) onUpdate();
  }
};

// Counts its destructions so tests can tell when the stack deleted it.
struct Counted : Drawable {
  static int destroyed;
  ~Counted() override { ++destroyed; }
};
int Counted::destroyed = 0;

class GameStateTest : public testing::Test {
 protected:
  TracingEngine engine;
  void SetUp() override {
    testsupport::initAllegroNoDisplay();
    for (int i = 0; i < KEY_MAX; ++i) key[i] = 0;
    events.clear();
    Counted::destroyed = 0;
    engine.screen = new Screen(800, 600, Screen::Offscreen{});
    engine.screen->layers.resize(5);
  }
  void TearDown() override {
    engine.stateRegistry.clear();  // the test's states are gone by now
    engine.popAll();
    delete engine.screen;
    engine.screen = nullptr;
  }
  const std::vector<Drawable*>& layer(int i) { return engine.screen->layers[i].drawables; }
};

}  // namespace

TEST_F(GameStateTest, PushCallsEnterBeforeOnStatePushed) {
  TracingState title("title");
  engine.addState(&title);
  engine.pushState("title");
  EXPECT_EQ(events, (std::vector<std::string>{"enter title", "pushed title"}));
}

TEST_F(GameStateTest, SpriteOnLayerMinusOneIsOwnedAndDestroyedWithItsState) {
  engine.pushState("help");
  auto* hidden = new Counted;
  EXPECT_TRUE(engine.addSprite(hidden, -1));
  for (const Layer& l : engine.screen->layers) EXPECT_TRUE(l.drawables.empty());
  EXPECT_EQ(hidden->screen, nullptr);
  engine.popState();
  EXPECT_EQ(Counted::destroyed, 1);
}

TEST_F(GameStateTest, DuplicateSpriteIsReportedAndListedOnce) {
  engine.pushState("title");
  auto* sprite = new Counted;
  engine.addSprite(sprite, 2);
  EXPECT_FALSE(engine.addSprite(sprite, 2));
  ASSERT_EQ(testsupport::messageBoxTexts().size(), 1u);
  EXPECT_EQ(testsupport::messageBoxTexts()[0], "GameState [title] - trying to add duplicate sprite!");
  EXPECT_EQ(engine.stateStack.back()->sprites.size(), 1u);
  EXPECT_EQ(layer(2).size(), 1u);
  EXPECT_EQ(sprite->screen, engine.screen);
}

TEST_F(GameStateTest, RemovedSpriteStaysDrawnThisPassAndIsDestroyedAtEndFrame) {
  engine.pushState("inGame");
  auto* sprite = new Counted;
  engine.addSprite(sprite, 2);
  engine.removeSprite(sprite);
  EXPECT_EQ(layer(2).size(), 1u);
  EXPECT_EQ(Counted::destroyed, 0);
  engine.endFrame();
  EXPECT_TRUE(layer(2).empty());
  EXPECT_EQ(Counted::destroyed, 1);
  EXPECT_TRUE(engine.stateStack.back()->sprites.empty());
}

TEST_F(GameStateTest, RemovingALowerStatesSpriteIsDropped) {
  engine.pushState("inGame");
  auto* lower = new Counted;
  engine.addSprite(lower, 2);
  engine.pushState("help");
  engine.removeSprite(lower);
  engine.endFrame();
  EXPECT_EQ(layer(2).size(), 1u);
  EXPECT_EQ(Counted::destroyed, 0);
  engine.popState();
  engine.endFrame();  // the pending list went with the popped record
  EXPECT_EQ(Counted::destroyed, 0);
  engine.popState();
  EXPECT_EQ(Counted::destroyed, 1);
  EXPECT_TRUE(layer(2).empty());
}

TEST_F(GameStateTest, PoppingAStateUnbindsItsStateActions) {
  TracingState cut("cutScene");
  cut.onEnter = [&] { cut.addStateAction("skip", KEY_S); };
  engine.addState(&cut);
  engine.pushState("cutScene");
  key[KEY_S] = 1;
  engine.poll();
  EXPECT_EQ(engine.actions.size(), 1u);
  engine.popState();
  key[KEY_S] = 0;
  engine.poll();
  key[KEY_S] = 1;
  engine.poll();
  EXPECT_EQ(engine.actions.size(), 1u);
  EXPECT_EQ(engine.bindings.count("skip"), 0u);
}

TEST_F(GameStateTest, StatesUpdateBottomFirstAndNameOnlyStatesGoThroughTheHook) {
  TracingState title("title"), menu("menu");
  engine.addState(&title);
  engine.addState(&menu);
  engine.pushState("title");
  engine.pushState("help");
  engine.pushState("menu");
  events.clear();
  engine.Engine::update(0.01f);
  EXPECT_EQ(events, (std::vector<std::string>{"update title", "byName help", "update menu"}));
}

TEST_F(GameStateTest, TopStateMayPopItselfFromItsOwnUpdate) {
  TracingState title("title"), overlay("overlay");
  overlay.onUpdate = [&] { overlay.popState(); };
  engine.addState(&title);
  engine.addState(&overlay);
  engine.pushState("title");
  engine.pushState("overlay");
  engine.Engine::update(0.01f);
  ASSERT_EQ(engine.stateStack.size(), 1u);
  EXPECT_EQ(engine.stateStack.back()->name, "title");
  EXPECT_EQ(events.back(), "leave overlay");
}

TEST_F(GameStateTest, PushDuringTheWalkIsUpdatedFromTheNextPass) {
  TracingState title("title"), shop("shop");
  title.onUpdate = [&] {
    if (!engine.findOnStack("shop")) engine.pushState("shop");
  };
  engine.addState(&title);
  engine.addState(&shop);
  engine.pushState("title");
  events.clear();
  engine.Engine::update(0.01f);
  EXPECT_EQ(events, (std::vector<std::string>{"update title", "enter shop", "pushed shop"}));
  events.clear();
  engine.Engine::update(0.01f);
  EXPECT_EQ(events, (std::vector<std::string>{"update title", "update shop"}));
}

TEST_F(GameStateTest, AddStateActionOnAnEmptyStackReportsAndBindsNothing) {
  engine.addStateAction("skip", kAnyKey);
  ASSERT_EQ(testsupport::messageBoxTexts().size(), 1u);
  EXPECT_EQ(testsupport::messageBoxTexts()[0], "Can't addStateAction without States.");
  EXPECT_TRUE(engine.bindings.empty());
}

TEST_F(GameStateTest, SwitchStateReplacesTheWholeStackAndFindReturnsTheLowest) {
  engine.pushState("inGame");
  engine.pushState("help");
  engine.pushState("inGame");
  EXPECT_EQ(engine.findOnStack("inGame"), engine.stateStack.front());
  EXPECT_EQ(engine.findOnStack("title"), nullptr);
  engine.switchState("title");
  ASSERT_EQ(engine.stateStack.size(), 1u);
  EXPECT_EQ(engine.stateStack.front()->name, "title");
}

TEST_F(GameStateTest, ScrollingTextRollsEveryLineUpFromBelowAndAnyKeyEndsIt) {
  testsupport::MemoryDisplay display;
  testsupport::writeFile("credits.txt", "Tidewell Quest\r\n\nMade by Talvenor\n");
  engine.pushState("credits");
  engine.showScrollingText("credits.txt", font, "JUMPSTATE:title");
  const auto& labels = engine.stateStack.back()->sprites;
  ASSERT_EQ(labels.size(), 3u);
  int h = text_height(font);
  EXPECT_FLOAT_EQ(labels[2]->y, 2 * h + 2 * h + 600);
  EXPECT_FLOAT_EQ(labels[0]->x, 400);
  EXPECT_EQ(layer(4).size(), 3u);
  EXPECT_TRUE(engine.resetTimer);
  labels[0]->update(1.0f);
  EXPECT_FLOAT_EQ(labels[0]->y, 2 * h + 600 - 50);  // 50 pixels a second
  key[KEY_X] = 1;
  engine.poll();
  ASSERT_EQ(engine.actions.size(), 1u);
  EXPECT_EQ(engine.actions[0].first, "JUMPSTATE:title");
  engine.popAll();
}

TEST_F(GameStateTest, ScrollingTextOfAMissingFileStillBindsTheExit) {
  testsupport::MemoryDisplay display;
  engine.pushState("credits");
  engine.showScrollingText("no-such-file.txt", font, "JUMPSTATE:title");
  EXPECT_TRUE(engine.stateStack.back()->sprites.empty());
  EXPECT_EQ(engine.bindings.count("JUMPSTATE:title"), 1u);
  engine.popAll();
}
