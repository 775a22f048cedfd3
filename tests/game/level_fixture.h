#pragma once
// Plays levels in the test process: the real game object over a memory
// screen, a level compiled from rows of legend characters written by the
// test, time stepped at a fixed dt and keys set in Allegro's key array.
#include <allegro.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/key_events.h"
#include "flow/game_app.h"
#include "level_compiler.h"
#include "sound/sound_manager.h"
#include "support/test_support.h"

class Actor;

class LevelFixture : public ::testing::Test {
 protected:
  GameApp app;
  std::vector<SoundManager::PlayRequest> sounds;  // every effect asked for
  // Entered levels draw their chance from the clock, as in play, instead of
  // the level's fixed seed.
  bool seedFromClock = false;

  void SetUp() override;
  void TearDown() override;

  // Compiles rows as level `number` (every other level a small empty room)
  // and enters it. The test fails when the rows do not compile.
  void playLevel(const std::vector<std::string>& rows, int number = 0);
  // Plays the game's own baked levels from now on.
  void useGameLevels();
  // Enters level number from the levels already compiled.
  void enterLevel(int number);

  // One pass of the main loop without drawing.
  void step(float dt = 0.02f);
  void run(float seconds, float dt = 0.02f);
  // Composes the layers and the heads-up display into the back buffer.
  void draw();

  void hold(int scancode) { key[scancode] = 1; }
  void letGo(int scancode) { key[scancode] = 0; }
  // A press and its release, both reported by the keyboard before the
  // next pass takes them.
  void tapWithinPass(int scancode) {
    injectKeyEvent(scancode, true);
    injectKeyEvent(scancode, false);
  }
  static void releaseAllKeys();

  std::string top() const;
  // The first actor made from dat/<datafile>, or null.
  Actor* findActor(const std::string& datafile) const;
  int soundCount(const std::string& name) const;

 private:
  std::unique_ptr<testsupport::MemoryDisplay> display;  // stands in for the window

  void linkGameData();
  static levels::LevelPicture pictureOf(const std::vector<std::string>& rows, const levels::Legend& legend);
};
