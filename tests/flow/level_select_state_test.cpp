// The level select map in the real game: markers, the highlight and its
// keys, starting a level, and the camera on a screen narrower than the map.
#include "app_fixture.h"
#include "flow/level_select_state.h"
#include "flow/map_node.h"

namespace {

class WindowLevelSelect : public AppFixture {
 protected:
  LevelSelectState& map() { return *dynamic_cast<LevelSelectState*>(app.stateRegistry["levelSelect"]); }

  void openMap(int levelsBeaten) {
    app.levelsBeaten = levelsBeaten;
    app.switchState("levelSelect");
    frame();
    ASSERT_EQ(top(), "levelSelect");
    ASSERT_EQ(map().markers.size(), 50u);
  }

  // The markers drawn opaque; the map shows exactly one.
  std::vector<int> highlighted() {
    std::vector<int> found;
    for (MapNode* marker : map().markers) {
      if (marker->alpha == 255.0f) found.push_back(marker->index);
      else EXPECT_EQ(marker->alpha, 128.0f) << marker->index;
    }
    return found;
  }

  int visibleCount() {
    int count = 0;
    for (MapNode* marker : map().markers) count += marker->visible ? 1 : 0;
    return count;
  }
};

// A screen narrower than the map, chosen in the settings before start-up.
class WindowLevelSelectSmall : public WindowLevelSelect {
 protected:
  void SetUp() override {
    app.settings["resx"] = 640.0f;
    app.settings["resy"] = 480.0f;
    WindowLevelSelect::SetUp();
    ASSERT_EQ(app.screen->width, 640);
  }

  void expectCameraInsideMap() {
    EXPECT_GE(app.camera.x, 320.0f);
    EXPECT_LE(app.camera.x, 480.0f);
    EXPECT_GE(app.camera.y, 240.0f);
    EXPECT_LE(app.camera.y, 360.0f);
  }
};

}  // namespace

TEST_F(WindowLevelSelect, ANewProfileShowsOnlyTheFirstMarkerAndTheArrowsStayOnIt) {
  openMap(0);
  EXPECT_EQ(visibleCount(), 1);
  EXPECT_TRUE(map().markers[0]->visible);
  for (int scancode : {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN}) {
    tap(scancode);
    EXPECT_EQ(map().selection, 0) << scancode;
  }
  EXPECT_EQ(highlighted(), std::vector<int>{0});
  EXPECT_EQ(app.selectedLevel, 0);
}

TEST_F(WindowLevelSelect, TheHighlightStopsAtTheFurthestLevelReachedAndAtTheLastLevel) {
  openMap(3);
  EXPECT_EQ(map().selection, 3);
  EXPECT_EQ(visibleCount(), 4);
  tap(KEY_RIGHT);
  tap(KEY_DOWN);
  EXPECT_EQ(map().selection, 3);
  tap(KEY_LEFT);
  tap(KEY_UP);
  EXPECT_EQ(map().selection, 1);
  EXPECT_EQ(highlighted(), std::vector<int>{1});
  EXPECT_EQ(app.selectedLevel, 1);

  // Coming back opens on the furthest level again, not the one left on.
  app.switchState("title");
  openMap(60);
  EXPECT_EQ(map().selection, 49);
  EXPECT_EQ(app.selectedLevel, 49);
  EXPECT_EQ(visibleCount(), 50);
  tap(KEY_RIGHT);
  EXPECT_EQ(map().selection, 49);
  EXPECT_EQ(highlighted(), std::vector<int>{49});
}

TEST_F(WindowLevelSelect, ADamagedNegativeLevelCountOpensOnTheFirstLevel) {
  openMap(-7);
  EXPECT_EQ(map().selection, 0);
  EXPECT_EQ(visibleCount(), 0);
  tap(KEY_RIGHT);
  tap(KEY_LEFT);
  EXPECT_EQ(map().selection, 0);
}

TEST_F(WindowLevelSelect, HoldingAnArrowMovesTheHighlightOnceWhenItIsReleased) {
  openMap(5);
  press(KEY_LEFT);
  run(1.0f);
  EXPECT_EQ(map().selection, 5);
  EXPECT_EQ(highlighted(), std::vector<int>{5});
  release(KEY_LEFT);
  EXPECT_EQ(map().selection, 4);
  EXPECT_EQ(highlighted(), std::vector<int>{4});
}

TEST_F(WindowLevelSelect, MarkersShowBossLevelsAndFullRatingsAndLeaveUnplayedLevelsAtZero) {
  app.ratings.clear();  // a saved profile reads back all its stored levels
  app.ratings[0] = 100;
  app.ratings[1] = 80;
  app.ratings[9] = 100;
  openMap(12);
  const int expected[][2] = {{0, 2}, {1, 0}, {9, 3}, {10, 0}, {19, 1}, {49, 1}};
  for (const auto& [index, frame] : expected) EXPECT_EQ(map().markers[index]->frame, frame) << index;
  // Markers sit centred on their spots of the chart.
  EXPECT_EQ(map().markers[9]->anchor, 1);
  EXPECT_EQ(map().markers[9]->x, 152.0f);
  EXPECT_EQ(map().markers[9]->y, 365.0f);
  EXPECT_EQ(app.ratings.size(), 50u);
  EXPECT_EQ(app.ratings.at(30), 0);
  EXPECT_EQ(app.ratings.at(1), 80);
}

TEST_F(WindowLevelSelect, EnterOrSpaceStartsTheHighlightedLevel) {
  openMap(4);
  tap(KEY_LEFT);
  press(KEY_ENTER);
  EXPECT_EQ(top(), "levelSelect");  // a press does nothing
  release(KEY_ENTER);
  EXPECT_EQ(app.currentLevel, 3);
  EXPECT_EQ(top(), "inGame");

  openMap(4);
  tap(KEY_LEFT);
  tap(KEY_LEFT);
  tap(KEY_SPACE);
  EXPECT_EQ(app.currentLevel, 2);
  EXPECT_EQ(top(), "inGame");
}

TEST_F(WindowLevelSelect, EscapeReturnsToTheTitleAsSoonAsItIsPressed) {
  openMap(2);
  press(KEY_ESC);
  EXPECT_EQ(top(), "title");
  release(KEY_ESC);
  EXPECT_EQ(top(), "title");
}

TEST_F(WindowLevelSelect, AnEnterHeldOnArrivalDoesNotStartALevelWhenReleased) {
  // A title line that acts on the press opens the map with its key still down.
  key[KEY_ENTER] = 1;
  frame();
  openMap(3);
  release(KEY_ENTER);
  EXPECT_EQ(top(), "levelSelect");
  tap(KEY_ENTER);
  EXPECT_EQ(top(), "inGame");
  EXPECT_EQ(app.currentLevel, 3);
}

TEST_F(WindowLevelSelect, TheCameraNeverMovesOnAScreenAsWideAsTheMap) {
  openMap(49);
  EXPECT_EQ(app.screen->cameraTarget, nullptr);
  run(3.0f);
  EXPECT_EQ(app.camera.x, 400.0f);
  EXPECT_EQ(app.camera.y, 300.0f);
  app.screen->present();
  EXPECT_EQ(app.screen->layers[1].offsetX, 0);
  EXPECT_EQ(app.screen->layers[2].offsetY, 0);
}

TEST_F(WindowLevelSelectSmall, TheCameraGlidesToTheHighlightAtAHundredAndFiftyPixelsASecond) {
  openMap(16);  // marker 16 at (358, 317) lies inside the scrolling range
  EXPECT_EQ(app.screen->cameraTarget, &app.camera);
  run(0.2f, 0.01f);
  // Each axis glides at the full speed on its own.
  EXPECT_NEAR(app.camera.x, 320.0f + 30.0f, 2.0f);
  EXPECT_NEAR(app.camera.y, 240.0f + 30.0f, 2.0f);
  run(0.5f, 0.01f);
  EXPECT_EQ(app.camera.x, 358.0f);
  EXPECT_EQ(app.camera.y, 317.0f);

  tap(KEY_ESC);
  EXPECT_EQ(app.screen->cameraTarget, nullptr);
}

TEST_F(WindowLevelSelectSmall, TheCameraStopsAtTheMapsEdgeAndNeverShowsBeyondIt) {
  openMap(49);  // marker 49 at (756, 390) lies past the bottom-right limit
  for (int i = 0; i < 60; ++i) {
    frame(0.05f);
    expectCameraInsideMap();
  }
  EXPECT_EQ(app.camera.x, 480.0f);
  EXPECT_EQ(app.camera.y, 360.0f);
  app.screen->present();
  // The world layers show the map's bottom-right corner; the fixed ones stay.
  EXPECT_EQ(app.screen->layers[1].offsetX, -160);
  EXPECT_EQ(app.screen->layers[1].offsetY, -120);
  EXPECT_EQ(app.screen->layers[2].offsetX, -160);
  EXPECT_EQ(app.screen->layers[0].offsetX, 0);

  // Back along the route to the first level, which sits by the top-left corner.
  for (int i = 0; i < 49; ++i) {
    tap(KEY_LEFT);
    expectCameraInsideMap();
  }
  run(4.0f);
  EXPECT_EQ(map().selection, 0);
  EXPECT_EQ(app.camera.x, 320.0f);
  EXPECT_EQ(app.camera.y, 240.0f);
}
