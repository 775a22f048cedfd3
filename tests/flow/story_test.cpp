// The logo and the opening story, driven through the real application.
#include "app_fixture.h"
#include "engine/sprite.h"
#include "engine/text_label.h"
#include "flow/cut_scene_state.h"
#include "flow/logo_state.h"

namespace {

class WindowStory : public AppFixture {
 protected:
  CutSceneState& story() { return *dynamic_cast<CutSceneState*>(app.stateRegistry["cutScene"]); }

  void startStory() {
    app.switchState("cutScene");
    ASSERT_EQ(top(), "cutScene");
  }

  // Holds a key for a moment and lets it go.
  void keyStroke() {
    press(KEY_SPACE);
    frame(0.05f);
    release(KEY_SPACE);
  }
};

}  // namespace

TEST_F(WindowStory, TheLogoHandsOverToTheTitleAfterFiveSeconds) {
  EXPECT_FALSE(app.noClear);  // cleared while the logo shows
  run(4.9f);
  EXPECT_EQ(top(), "logo");
  run(0.2f);
  EXPECT_EQ(top(), "title");
  EXPECT_EQ(app.findOnStack("logo"), nullptr);
}

TEST_F(WindowStory, AKeyReleasedDuringTheLogoGoesStraightToTheTitle) {
  run(1.0f);
  press(KEY_ENTER);
  EXPECT_EQ(top(), "logo");
  release(KEY_ENTER);
  EXPECT_EQ(top(), "title");
}

TEST_F(WindowStory, KeysInTheFirstTwoSecondsDoNothingAndTheFirstLineComesOnItsOwn) {
  startStory();
  EXPECT_EQ(story().line1->text, "Once upon a time, deep under the sea...");
  EXPECT_FALSE(story().background->visible);
  keyStroke();
  run(1.5f);
  keyStroke();
  EXPECT_EQ(story().step, 0);

  run(0.5f);
  EXPECT_EQ(story().step, 1);
  EXPECT_EQ(story().line1->text, "PROFESSOR: Gulpy, we have a problem...");
  EXPECT_TRUE(story().background->visible);
  EXPECT_TRUE(story().scenery->visible);
  // The lines stack under the picture and end where the frame's band starts.
  int lineHeight = text_height(font);
  EXPECT_FLOAT_EQ(story().line2->y - story().line1->y, lineHeight);
  EXPECT_FLOAT_EQ(story().line2->y + lineHeight, 480.0f);
  // The professor swims in from the right at 200 pixels per second.
  float before = story().professor->x;
  run(1.0f);
  EXPECT_NEAR(before - story().professor->x, 200.0f, 1.0f);
  run(1.5f);
  EXPECT_FLOAT_EQ(story().professor->x, 600.0f);
}

TEST_F(WindowStory, HoldingAKeyDoesNotAdvanceAndReleasesCountOncePerHalfSecond) {
  startStory();
  run(2.1f);
  ASSERT_EQ(story().step, 1);
  run(0.5f);

  press(KEY_SPACE);
  run(1.0f);
  EXPECT_EQ(story().step, 1);
  release(KEY_SPACE);
  EXPECT_EQ(story().step, 2);
  EXPECT_EQ(story().line1->text, "GULPY: What is it Professor?");

  keyStroke();  // inside the half-second lock
  EXPECT_EQ(story().step, 2);
  run(0.5f);
  keyStroke();
  EXPECT_EQ(story().step, 3);
  EXPECT_EQ(story().line2->text, "family treasure!");
}

TEST_F(WindowStory, TheLevelSelectOpensAfterTheSixteenthLine) {
  startStory();
  run(2.1f);
  for (int step = 2; step <= 16; ++step) {
    run(0.5f);
    keyStroke();
  }
  ASSERT_EQ(story().step, 16);
  EXPECT_EQ(story().line1->text, "PROF: Good luck Gulpy!");
  EXPECT_EQ(story().line2->text, "");
  run(0.5f);
  keyStroke();
  EXPECT_EQ(top(), "levelSelect");
}
