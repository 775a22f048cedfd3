// The game application in a real window: start-up, the action table and
// the screens that exist only as names on the stack.
#include <algorithm>
#include <csignal>
#include <cstdio>

#include "app_fixture.h"
#include "engine/sprite.h"
#include "engine/text_label.h"
#include "menu/menu.h"
#include "game/actors/player.h"
#include "game/treasure.h"

namespace {

class WindowGameApp : public AppFixture {
 protected:
  void startLevel(int level) {
    app.currentLevel = level;
    app.switchState("inGame");
    frame();
    ASSERT_EQ(top(), "inGame");
    ASSERT_NE(app.player, nullptr);
  }

  std::vector<std::string> labelTexts(const std::string& state) {
    std::vector<std::string> texts;
    StateRecord* record = app.findOnStack(state);
    if (!record) return texts;
    for (Drawable* sprite : record->sprites) {
      if (auto* label = dynamic_cast<TextLabel*>(sprite)) texts.push_back(label->text);
    }
    return texts;
  }

  bool titleShows(const std::string& page) {
    return app.titleMenu && app.titleMenu->shown == app.titleMenu->pages[page];
  }
};

bool contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace

TEST_F(WindowGameApp, StartsOnTheLogoWithFiveLayersSixStatesAndANewProfile) {
  EXPECT_EQ(top(), "logo");
  ASSERT_EQ(app.screen->layers.size(), 5u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(app.screen->layers[i].followsCamera, i != 0 && i != 4) << i;
  for (const char* name : {"title", "powerupShop", "inGame", "levelSelect", "logo", "cutScene"})
    EXPECT_EQ(app.stateRegistry.count(name), 1u) << name;
  EXPECT_EQ(::font, app.gameFont());
  EXPECT_TRUE(app.hudSprite.datafile.isLoaded);
  EXPECT_EQ(app.bubbleLimit, 3);
  EXPECT_EQ(app.coins, 25);
  EXPECT_EQ(app.levelsBeaten, 0);
  EXPECT_EQ(app.currentProfile, "gulpy");
}

TEST_F(WindowGameApp, StartOpensTheStoryForANewPlayerAndTheMapOtherwise) {
  reachTitle();
  app.queueAction("start");
  frame();
  EXPECT_EQ(top(), "cutScene");

  app.levelsBeaten = 4;
  app.switchState("title");
  app.queueAction("start");
  frame();
  EXPECT_EQ(top(), "levelSelect");
  EXPECT_EQ(app.selectedLevel, 4);  // the map opens on the furthest level
}

TEST_F(WindowGameApp, HelpOpensOnReleaseOnlyAndClosesOnTheNextKey) {
  startLevel(19);
  run(2.1f);  // the duel's ready-go pause holds the help back
  press(KEY_F1);
  EXPECT_FALSE(app.isStacked("helpText"));
  release(KEY_F1);
  ASSERT_EQ(top(), "helpText");
  EXPECT_TRUE(contains(labelTexts("helpText"), "Press Space to attack."));

  // A second F1 ends the help through the any-key binding, not reopening it.
  tap(KEY_F1);
  EXPECT_FALSE(app.isStacked("helpText"));
  EXPECT_GT(app.pauseCountdown, 0.0f);  // a short pause keeps it from reopening

  // The in-game menu's request simulates the release, once the pause is over.
  app.queueAction("pushHelpText_true");
  frame(0.0f);
  EXPECT_FALSE(app.isStacked("helpText"));
  run(0.2f);
  app.queueAction("pushHelpText_true");
  frame();
  EXPECT_EQ(top(), "helpText");
}

TEST_F(WindowGameApp, HelpAndShopNeedALivePlayerAndNoOtherOverlay) {
  reachTitle();
  app.switchState("levelSelect");
  ASSERT_EQ(app.player, nullptr);  // the title's player left with the title
  app.onAction("pushHelpText", false);
  EXPECT_FALSE(app.isStacked("helpText"));

  startLevel(2);
  app.player->dead = 1;
  app.onAction("pushPowerupShop", false);
  EXPECT_FALSE(app.isStacked("powerupShop"));
  app.player->dead = 0;
  app.onAction("pushPowerupShop", false);
  ASSERT_EQ(top(), "powerupShop");
  app.onAction("pushHelpText", false);
  EXPECT_FALSE(app.isStacked("helpText"));

  tap(KEY_ESC);  // the shop closes on the release of Escape
  EXPECT_EQ(top(), "inGame");
}

TEST_F(WindowGameApp, JumpStateFalseSwitchesOnReleaseOnly) {
  reachTitle();
  app.onAction("JUMPSTATE_FALSE:levelSelect", true);
  EXPECT_EQ(top(), "title");
  app.onAction("JUMPSTATE_FALSE:levelSelect", false);
  EXPECT_EQ(top(), "levelSelect");
  app.onAction("JUMPSTATE:title", false);
  EXPECT_EQ(top(), "levelSelect");
  app.onAction("JUMPSTATE:title", true);
  EXPECT_EQ(top(), "title");
}

TEST_F(WindowGameApp, StoryLevelsAlwaysStartButMiniGamesWaitForBeatenLevels) {
  reachTitle();
  app.onAction("LEVEL:7", true);
  EXPECT_EQ(top(), "inGame");
  EXPECT_EQ(app.currentLevel, 7);

  app.switchState("title");
  app.levelsBeaten = 19;
  app.onAction("LEVEL:1001", true);
  EXPECT_EQ(top(), "title");
  EXPECT_TRUE(titleShows("BadMiniGame"));
  EXPECT_EQ(app.currentLevel, 7);

  app.levelsBeaten = 20;
  app.onAction("LEVEL:1001", true);
  EXPECT_EQ(top(), "inGame");
  EXPECT_EQ(app.currentLevel, 1001);
}

TEST_F(WindowGameApp, MalformedWordsAreDroppedWithoutHarm) {
  reachTitle();
  for (const char* word : {"LEVEL:", "LEVEL:fish", "LEVEL:-3", "LEVEL:99999999999", "JUMPSTATE:"}) {
    app.onAction(word, true);
    EXPECT_EQ(top(), "title") << word;
  }
  app.onAction("SETPROFILE", true);  // shorter than its marker
  EXPECT_EQ(top(), "title");
  EXPECT_EQ(app.currentLevel, 0);
}

TEST_F(WindowGameApp, SkippingTheLastLevelEndsTheGameWhichHoldsEveryKeyForFourSeconds) {
  startLevel(49);
  app.queueAction("skipLevel");
  frame();
  frame();  // the level of number 50 hands over to the end of the game
  ASSERT_EQ(top(), "eog");
  EXPECT_EQ(app.currentLevel, 50);

  app.onAction("quit", true);
  app.onAction("reallyQuit", true);
  EXPECT_FALSE(app.quit);
  tap(KEY_SPACE);
  EXPECT_EQ(top(), "eog");

  run(4.1f);
  EXPECT_EQ(app.levelEndDelay, 0.0f);
  tap(KEY_SPACE);
  EXPECT_EQ(top(), "credits");
}

TEST_F(WindowGameApp, ThePerfectRibbonShowsOnlyWhenEveryStoryLevelIsRatedFull) {
  for (int level = 0; level < 50; ++level) app.ratings[level] = 100;
  app.switchState("eog");
  EXPECT_EQ(app.findOnStack("eog")->sprites.size(), 4u);
  app.ratings[31] = 99;
  app.levelEndDelay = 0.0f;
  app.switchState("eog");
  EXPECT_EQ(app.findOnStack("eog")->sprites.size(), 3u);
}

TEST_F(WindowGameApp, APerfectLevelShowsTheBadgeUntilAKeyAfterOneAndAHalfSeconds) {
  startLevel(4);
  for (Treasure* treasure : app.treasures) {
    treasure->collected = 1;
    treasure->alpha = 0.0f;
  }
  frame();
  ASSERT_EQ(top(), "100%");
  EXPECT_EQ(app.currentLevel, 5);
  EXPECT_EQ(app.coins, 45);
  tap(KEY_SPACE);
  EXPECT_EQ(top(), "100%");
  run(1.6f);
  tap(KEY_SPACE);
  EXPECT_TRUE(app.isStacked("inGame"));  // level 5 opens its help at the start
  EXPECT_FALSE(app.isStacked("100%"));
  EXPECT_EQ(app.levelsBeaten, 5);
}

TEST_F(WindowGameApp, CreditsRollTheCreditsFileAndAnyKeyReturnsToTheTitle) {
  reachTitle();
  app.queueAction("credits");
  frame();
  ASSERT_EQ(top(), "credits");
  std::vector<std::string> lines = labelTexts("credits");
  EXPECT_TRUE(contains(lines, "Tidewell Quest"));
  EXPECT_TRUE(contains(lines, "Allegro 4 game programming library"));
  tap(KEY_ENTER);
  EXPECT_EQ(top(), "title");
}

TEST_F(WindowGameApp, TheCloseButtonQuitsAndSavesEvenWhileTheEndHoldsTheKeys) {
  app.levelEndDelay = 4.0f;
  app.switchState("eog");
  GameApp::onCloseButton();
  frame();
  EXPECT_TRUE(app.quit);
  EXPECT_NE(testsupport::readFile("settings.cfg").find("resx 800"), std::string::npos);
}

TEST_F(WindowGameApp, SigtermOrSigintEndsTheGameAsQuitDoes) {
  for (int signal : {SIGTERM, SIGINT}) {
    app.quit = false;
    std::remove("settings.cfg");
    std::raise(signal);  // the game's handler only notes it
    frame();
    EXPECT_TRUE(app.quit) << signal;
    EXPECT_TRUE(exists("settings.cfg")) << signal;
  }
}

TEST_F(WindowGameApp, ClosingTheWindowDuringAConfirmationAnswersNoThenQuits) {
  GameApp::onCloseButton();
  EXPECT_FALSE(app.confirm("Delete Profile [a]? [Y/N]"));
  frame();
  EXPECT_TRUE(app.quit);
}

TEST_F(WindowGameApp, CreditsReturnToTheTitleOnceTheLastLineHasLeftTheTop) {
  app.queueAction("credits");
  frame();
  ASSERT_EQ(top(), "credits");
  int lines = static_cast<int>(labelTexts("credits").size());
  ASSERT_GT(lines, 1);
  // The last line starts 2 line heights below the bottom edge and rolls up
  // at 50 px/s until its bottom passes the top.
  int h = text_height(app.gameFont());
  float expectedS = ((lines + 2) * h + app.screen->height) / 50.0f;
  const float dt = 0.05f;
  float elapsed = 0.0f;
  while (top() == "credits" && elapsed < 2.0f * expectedS) {
    frame(dt);
    elapsed += dt;
  }
  EXPECT_EQ(top(), "title");
  EXPECT_NEAR(elapsed, expectedS, 2 * dt);
}

TEST_F(WindowGameApp, ProfileLineOnTheTitleShowsWhole) {
  reachTitle();
  BITMAP* buffer = app.screen->backBuffer;
  const int background = makecol(1, 2, 3);
  clear_to_color(buffer, background);
  app.drawOverlay();
  // The same text drawn with room on every side, to count its pixels.
  BITMAP* free = create_bitmap(app.screen->width, 200);
  clear_to_color(free, background);
  textout_ex(free, app.gameFont(), ("Profile " + app.currentProfile).c_str(), 50, 50, -1, -1);
  auto inked = [&](BITMAP* b, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += getpixel(b, x, y) != background;
    return n;
  };
  int h = app.screen->height, w = app.screen->width;
  EXPECT_EQ(inked(buffer, 0, 0, w, h), inked(free, 0, 0, w, 200));
  EXPECT_EQ(inked(buffer, 0, h - 2, w, h), 0);  // nothing touches the edges
  EXPECT_EQ(inked(buffer, 0, 0, 2, h), 0);
  destroy_bitmap(free);
}

TEST_F(WindowGameApp, TheStoryIsFramedAndTheMapShowsTheSelectedLevel) {
  app.switchState("cutScene");
  BITMAP* buffer = app.screen->backBuffer;
  clear_to_color(buffer, makecol(255, 255, 255));
  app.drawOverlay();
  EXPECT_EQ(getpixel(buffer, 40, 300), makecol(0, 0, 0));
  EXPECT_EQ(getpixel(buffer, 400, 30), makecol(0, 0, 0));
  EXPECT_EQ(getpixel(buffer, 400, 300), makecol(255, 255, 255));

  app.switchState("levelSelect");
  clear_to_color(buffer, makecol(255, 255, 255));
  app.drawOverlay();
  // The status band darkens a quarter; the picture above it stays.
  EXPECT_LT(getr(getpixel(buffer, 20, 545)), 255);
  EXPECT_GT(getr(getpixel(buffer, 20, 545)), 128);
  EXPECT_EQ(getpixel(buffer, 20, 520), makecol(255, 255, 255));
}

TEST_F(WindowGameApp, ConfirmAnswersYesToYAndNoToEsc) {
  key[KEY_Y] = 1;
  EXPECT_TRUE(app.confirm("Delete Profile [a]? [Y/N]"));
  key[KEY_Y] = 0;
  key[KEY_N] = 1;
  EXPECT_FALSE(app.confirm("Delete Profile [a]? [Y/N]"));
  key[KEY_N] = 0;
}

TEST(GameAppDeathTest, AnyErrorShowsTheSupportMessageAndNoLongerEndsWithStatusZero) {
  EXPECT_EXIT(
      {
        setMessageBoxFunction([](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); });
        GameApp app;
        log("datafile [dat/nothing.dat] - file not found", true);
      },
      ::testing::ExitedWithCode(1), "Fatal Error: Please contact Calloway Arcade https://www\\.talvenor\\.net/");
}
