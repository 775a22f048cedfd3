// Profiles kept on disk and the title with its menus, driven through the
// real game application in a window.
#include <allegro.h>

#include <algorithm>

#include "app_fixture.h"
#include "flow/profile_store.h"
#include "game/actors/player.h"
#include "menu/menu.h"
#include "menu/menu_entry.h"

namespace {

class WindowTitle : public AppFixture {
 protected:
  bool titleShows(const std::string& page) {
    return app.titleMenu && app.titleMenu->shown == app.titleMenu->pages[page];
  }

  // Highlights the line with this label on the shown page and taps Enter.
  void choose(const std::string& label) {
    Menu& menu = *app.titleMenu;
    auto line = std::find_if(menu.shown.begin(), menu.shown.end(),
                             [&](MenuEntry* e) { return e->text.rfind(label, 0) == 0; });
    ASSERT_NE(line, menu.shown.end()) << label;
    menu.selectEntry(*line);
    tap(KEY_ENTER);
    frame();  // a page link lands on the next update
  }

  // Answers the next confirmation before it is asked.
  void answer(int scancode, const std::function<void()>& ask) {
    key[scancode] = 1;
    ask();
    key[scancode] = 0;
  }

  static bool allZero(const std::map<int, int>& table) {
    return std::all_of(table.begin(), table.end(), [](const auto& e) { return e.second == 0; });
  }
};

}  // namespace

TEST_F(WindowTitle, FirstRunCreatesTheDefaultProfileOnDisk) {
  EXPECT_EQ(app.profiles, std::vector<std::string>{"gulpy"});
  EXPECT_EQ(testsupport::readFile("profiles.cfg"), "gulpy\ngulpy\n");
  ProfileProgress stored;
  ASSERT_TRUE(readProgressFile("profiles/gulpy.dat", stored));
  EXPECT_EQ(stored.coins, 25);
}

TEST_F(WindowTitle, NewProfileHasTheDefaultsWhateverWasCurrent) {
  app.coins = 999;
  app.levelsBeaten = 30;
  app.bubbleLimit = 6;
  app.ratings[4] = 100;
  app.saveProfile();
  app.newProfileName = "Bob";
  app.onAction("createNewProfile", true);
  EXPECT_EQ(app.currentProfile, "Bob");
  EXPECT_EQ(app.coins, 25);
  EXPECT_EQ(app.bubbleLimit, 3);
  EXPECT_EQ(app.levelsBeaten, 0);
  EXPECT_TRUE(allZero(app.ratings));
  EXPECT_TRUE(allZero(app.bestTimes));
  EXPECT_EQ(testsupport::readFile("profiles.cfg"), "gulpy\nBob\nBob\n");
  EXPECT_EQ(testsupport::readFile("profiles/Bob.cfg"), "down 1 85 \nfire 1 75 \nleft 1 82 \nright 1 83 \nup 1 84 \n");
  frame();
  EXPECT_EQ(top(), "title");

  app.onAction("SETPROFILE:gulpy", true);  // the old progress is still there
  EXPECT_EQ(app.coins, 999);
  EXPECT_EQ(app.ratings[4], 100);
}

TEST_F(WindowTitle, SixthProfileDuplicateAndUnusableNamesAreRefused) {
  for (const char* name : {"b", "c", "d", "e"}) app.createProfile(name);
  ASSERT_EQ(app.profiles.size(), 5u);
  app.createProfile("f");
  app.createProfile("../evil");
  EXPECT_EQ(app.profiles.size(), 5u);
  EXPECT_FALSE(exists("profiles/f.dat"));
  app.profiles.pop_back();
  app.createProfile("b");
  EXPECT_EQ(std::count(app.profiles.begin(), app.profiles.end(), "b"), 1);
  EXPECT_FALSE(exists("evil.dat"));
}

TEST_F(WindowTitle, DeletingTheCurrentLastProfileMakesTheFirstCurrent) {
  app.profiles = {"a", "b"};
  app.createProfile("c");
  ASSERT_EQ(app.currentProfile, "c");
  answer(KEY_Y, [&] { app.onAction("DELPROFILE:c", true); });
  EXPECT_EQ(app.profiles, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(app.currentProfile, "a");
  EXPECT_FALSE(exists("profiles/c.dat"));
  EXPECT_FALSE(exists("profiles/c.cfg"));
  EXPECT_EQ(testsupport::readFile("profiles.cfg"), "a\nb\na\n");
  frame();
  EXPECT_EQ(top(), "title");
}

TEST_F(WindowTitle, DeletionAskedNoOrOfTheLastProfileDeletesNothing) {
  app.createProfile("b");
  answer(KEY_N, [&] { app.deleteProfile("b"); });
  EXPECT_EQ(app.profiles.size(), 2u);
  EXPECT_TRUE(exists("profiles/b.dat"));

  app.profiles = {"gulpy"};
  answer(KEY_Y, [&] { app.deleteProfile("gulpy"); });  // "Cannot Delete Profile [ESC]"
  EXPECT_EQ(app.profiles, std::vector<std::string>{"gulpy"});
  EXPECT_TRUE(exists("profiles/gulpy.dat"));
}

TEST_F(WindowTitle, ProgressSurvivesAReloadButMiniGameRatingsDoNot) {
  app.levelsBeaten = 12;
  app.ratings[11] = 76;
  app.ratings[1000] = 100;
  app.bestTimes[11] = 95;
  app.saveProfile();
  app.levelsBeaten = 0;
  app.loadProfile();  // what a restart reads
  EXPECT_EQ(app.levelsBeaten, 12);
  EXPECT_EQ(app.ratings[11], 76);
  EXPECT_EQ(app.bestTimes[11], 95);
  EXPECT_EQ(app.ratings.count(1000), 0u);
}

TEST_F(WindowTitle, LockedMiniGameShowsBadMiniGameAndItsLinesLeadBack) {
  app.levelsBeaten = 9;
  reachTitle();
  choose("MiniGames");
  ASSERT_TRUE(titleShows("MiniGames"));
  choose("Shell Game");
  EXPECT_EQ(top(), "title");
  EXPECT_TRUE(titleShows("BadMiniGame"));
  choose("Beat More Levels");
  EXPECT_TRUE(titleShows("MiniGames"));
}

TEST_F(WindowTitle, NameEntryStartsAsNewProfileOnEveryEntry) {
  reachTitle();
  EXPECT_EQ(app.newProfileName, "NewProfile");
  app.newProfileName = "Half typed";
  app.switchState("title");
  EXPECT_EQ(app.newProfileName, "NewProfile");
}

TEST_F(WindowTitle, NewProfileIsNamedByTypingStraightAway) {
  reachTitle();
  choose("Profiles");
  choose("Create New");
  for (int code : {KEY_A, KEY_N, KEY_N}) tap(code);
  tap(KEY_ENTER);  // the name is done: on to "Create"
  tap(KEY_ENTER);
  frame();
  EXPECT_EQ(app.profiles, (std::vector<std::string>{"gulpy", "ann"}));
}

TEST_F(WindowTitle, ProfilePagesListEveryProfileWithItsActions) {
  app.createProfile("Ann");
  reachTitle();
  std::vector<std::string> actions;
  for (MenuEntry* line : app.titleMenu->pages["NewProfile"]) actions.push_back(line->action);
  EXPECT_EQ(actions, (std::vector<std::string>{"SETPROFILE:gulpy", "SETPROFILE:Ann", "LINKTO:CreateNew",
                                               "LINKTO:DeleteProfile", "LINKTO:Main"}));
  EXPECT_EQ(app.titleMenu->pages["DeleteProfile"][1]->action, "DELPROFILE:Ann");
}

TEST_F(WindowTitle, SwitchingTheResolutionRebuildsTheTitleAtTheNewSize) {
  app.settings["resx"] = 800;  // as after a run that saved its settings
  reachTitle();
  frame();
  ASSERT_TRUE(app.highResolution);
  choose("Options");
  ASSERT_TRUE(titleShows("Options"));
  choose("Resolution");
  frame();
  EXPECT_EQ(app.screen->width, 640);
  EXPECT_EQ(app.screen->height, 480);
  EXPECT_FLOAT_EQ(app.settings["resx"], 640.0f);
  ASSERT_EQ(top(), "title");
  ASSERT_NE(app.titleMenu, nullptr);
  EXPECT_FLOAT_EQ(app.titleMenu->x, 320.0f);  // built again, centred on the new width
  EXPECT_TRUE(titleShows("Main"));
  EXPECT_FALSE(app.highResolution);
}

TEST_F(WindowTitle, KeyConfigBackSavesTheTitlePlayersBindings) {
  reachTitle();
  ASSERT_NE(app.player, nullptr);
  app.player->bindings["fire"] = {KEY_F};
  app.onAction("saveKeyConfig", true);
  EXPECT_NE(testsupport::readFile("profiles/gulpy.cfg").find("fire 1 6 "), std::string::npos);
  EXPECT_TRUE(titleShows("Options"));
  app.onAction("resetKeyConfig", true);
  EXPECT_NE(testsupport::readFile("profiles/gulpy.cfg").find("fire 1 75 "), std::string::npos);
}

TEST_F(WindowTitle, GarbageProfileFilesGiveUsableProfilesAndAMissingFolderIsMadeAgain) {
  testsupport::writeFile("profiles.cfg", std::string("\x01\x02/..\n\n", 7) + "../up\n");
  testsupport::writeFile("profiles/gulpy.dat", std::string(3000, '\x7f'));
  app.loadProfileList();
  EXPECT_EQ(app.profiles, std::vector<std::string>{"gulpy"});
  EXPECT_EQ(app.currentProfile, "gulpy");
  app.loadProfile();
  EXPECT_EQ(app.coins, 25);

  ASSERT_EQ(std::system("rm -rf profiles"), 0);
  app.loadProfileList();
  app.createProfile("Fresh");
  EXPECT_TRUE(exists("profiles/Fresh.cfg"));
  EXPECT_TRUE(exists("profiles/Fresh.dat"));
}

TEST_F(WindowTitle, StartRemovesStaleSavesAndTakesOnlyAListedProfileAsCurrent) {
  const char* stale[] = {"profiles/gulpy.dat.tmp", "profiles/b.cfg.tmp", "profiles.cfg.tmp", "settings.cfg.tmp",
                         "volume.cfg.tmp"};
  for (const char* path : stale) testsupport::writeFile(path, "half");
  testsupport::writeFile("profiles/notes.txt.tmp", "not ours");
  testsupport::writeFile("profiles.cfg", "a\nb\nhidden\n");
  app.loadProfileList();
  for (const char* path : stale) EXPECT_FALSE(exists(path)) << path;
  EXPECT_TRUE(exists("profiles/notes.txt.tmp"));
  EXPECT_EQ(app.profiles, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(app.currentProfile, "a");  // never the unlisted "hidden"

  testsupport::writeFile("profiles.cfg", "\xff\xfe\x01\n\xc3\n");  // no name is text
  app.loadProfileList();
  EXPECT_EQ(app.profiles, std::vector<std::string>{"gulpy"});
  EXPECT_EQ(app.currentProfile, "gulpy");
}

TEST_F(WindowTitle, StoredValuesBeyondWhatTheGameMakesAreTakenAsTheNearestSaneOnesAndLogged) {
  ProfileProgress damaged;
  damaged.coins = 2147483647;
  damaged.levelsBeaten = -2147483647 - 1;
  damaged.ratings = {{3, 1000}, {4, -1}, {5, 76}};
  damaged.bestTimes = {{3, -5}, {4, 100000}, {5, 42}};
  ASSERT_TRUE(writeProgressFile("profiles/gulpy.dat", damaged));
  app.loadProfile();
  EXPECT_EQ(app.coins, 999999);
  EXPECT_EQ(app.levelsBeaten, 0);
  EXPECT_EQ(app.ratings[3], 100);
  EXPECT_EQ(app.ratings[4], 0);
  EXPECT_EQ(app.ratings[5], 76);
  EXPECT_EQ(app.bestTimes[3], 0);  // none: no real time could ever beat -5 s
  EXPECT_EQ(app.bestTimes[4], 599);
  EXPECT_EQ(app.bestTimes[5], 42);
  auto logged = [](const std::string& line) {
    std::vector<std::string> lines = testsupport::logLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(logged("profile [gulpy] - coins 2147483647 out of range, using 999999"));
  EXPECT_TRUE(logged("profile [gulpy] - best time of level 3 -5 out of range, using 0"));

  app.addCoins(20);  // winnings beyond the purse are lost, never wrapped
  EXPECT_EQ(app.coins, 999999);
  app.levelsBeaten = 50;
  app.saveProfile();
  app.loadProfile();
  EXPECT_EQ(app.levelsBeaten, 50);  // every story level beaten is in range
}

TEST_F(WindowTitle, LeavingTheOptionsKeepsTheWaterEffectInTheProfile) {
  reachTitle();
  app.waterEffect = false;
  app.onAction("exitOptionsMenu", true);
  ProfileProgress stored;
  ASSERT_TRUE(readProgressFile("profiles/gulpy.dat", stored));
  EXPECT_EQ(stored.waterEffect, 0);
  EXPECT_TRUE(exists("settings.cfg"));
}

TEST_F(WindowTitle, ProfileNamedWithALeadingDotKeepsItsProgressAndKeys) {
  for (const char* name : {".hidden", "..x"}) {
    app.createProfile(name);
    ASSERT_EQ(app.currentProfile, name);
    app.coins = 321;
    app.saveProfile();
    reachTitle();
    app.player->bindings["fire"] = {KEY_F};
    app.onAction("saveKeyConfig", true);

    app.onAction("SETPROFILE:gulpy", true);
    app.onAction(std::string("SETPROFILE:") + name, true);
    EXPECT_EQ(app.coins, 321) << name;
    frame();
    ASSERT_NE(app.player, nullptr);
    EXPECT_EQ(app.player->bindings["fire"], std::vector<int>{KEY_F}) << name;
    app.onAction("SETPROFILE:gulpy", true);
  }
}

TEST_F(WindowTitle, DeletingAProfileWhoseNameContainsSETPROFILEDeletesIt) {
  app.createProfile("xSETPROFILE");
  app.onAction("SETPROFILE:gulpy", true);
  answer(KEY_Y, [&] { app.onAction("DELPROFILE:xSETPROFILE", true); });
  EXPECT_EQ(app.profiles, std::vector<std::string>{"gulpy"});
  EXPECT_EQ(app.currentProfile, "gulpy");
  EXPECT_FALSE(exists("profiles/xSETPROFILE.dat"));
}

TEST_F(WindowTitle, EscapeGoesBackOnePageLikeBackButNotWhileAKeyIsCaptured) {
  reachTitle();
  const std::vector<std::pair<const char*, const char*>> trips = {
      {"MiniGames", "Main"}, {"Profiles", "Main"}, {"Options", "Main"}};
  for (const auto& [entry, page] : trips) {
    choose(entry);
    ASSERT_FALSE(titleShows("Main")) << entry;
    tap(KEY_ESC);
    frame();
    EXPECT_TRUE(titleShows(page)) << entry;
  }
  choose("Profiles");
  choose("Create New");
  tap(KEY_ESC);
  frame();
  EXPECT_TRUE(titleShows("NewProfile"));

  app.titleMenu->showPage("Main");
  choose("Options");
  choose("Key Config");
  ASSERT_TRUE(titleShows("KeyConfig"));
  choose("Action");  // now waiting for a key
  tap(KEY_ESC);
  frame();
  EXPECT_TRUE(titleShows("KeyConfig"));
  tap(KEY_F);
  frame();
  tap(KEY_ESC);  // "Back" here saves the keys as it returns to Options
  frame();
  EXPECT_TRUE(titleShows("Options"));
  EXPECT_NE(testsupport::readFile("profiles/gulpy.cfg").find("fire 1 6 "), std::string::npos);
}

TEST_F(WindowTitle, FirstRunShowsAndStoresTheResolutionInForce) {
  reachTitle();
  frame();
  EXPECT_TRUE(app.highResolution);  // an 800 x 600 window is "High"
  app.saveSettings();
  std::string saved = testsupport::readFile("settings.cfg");
  EXPECT_NE(saved.find("resx 800\n"), std::string::npos);
  EXPECT_NE(saved.find("resy 600\n"), std::string::npos);
}
