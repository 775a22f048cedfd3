#include <vector>

#include "menu/slider_entry.h"
#include "menu/toggle_entry.h"
#include "menu_fixture.h"

using ToggleEntryTest = MenuFixture;

TEST_F(ToggleEntryTest, LabelIsRebuiltFromThePartBeforeTheBracketAndNeverStacks) {
  bool water = false;
  int flips = 0;
  menu->addToggle("Options", "Water Effect", "", &water, "", "", [&] { ++flips; });
  menu->showPage("Options");
  MenuEntry* line = menu->shown[0];
  update(3);
  EXPECT_EQ(line->text, "Water Effect [Off]");

  tap(KEY_ENTER);
  EXPECT_TRUE(water);
  EXPECT_EQ(flips, 1);
  EXPECT_EQ(line->text, "Water Effect [On]");

  water = false;  // changed elsewhere: shows on the next update
  update();
  EXPECT_EQ(line->text, "Water Effect [Off]");
  EXPECT_EQ(line->glowBitmap->w, text_length(font, "Water Effect [Off]") + 2 * MenuEntry::kGlowMarginPx);
}

class SliderEntryTest : public MenuFixture {
 protected:
  SliderEntry* slider = nullptr;
  std::vector<int> changes;

  void makeSlider(int initial, int maximum) {
    menu->setPosition(100, 200);
    slider = menu->addSlider("Options", "Music", initial, maximum,
                             [this](int v) { changes.push_back(v); }, "");
    menu->addEntry("Options", "Back", "back", nullptr, -1, 0);
    menu->showPage("Options");
  }
};

TEST_F(SliderEntryTest, HeldKeySweepsAbout200UnitsPerSecondWithinRange) {
  makeSlider(100, 255);
  key[KEY_RIGHT] = 1;
  update(50);  // half a second
  EXPECT_EQ(slider->value, 200);
  update(50);
  EXPECT_EQ(slider->value, 255);
  key[KEY_RIGHT] = 0;
  key[KEY_LEFT] = 1;
  update(10);
  EXPECT_EQ(slider->value, 235);
}

TEST_F(SliderEntryTest, LeftHeldAtZeroStillReportsZeroEveryUpdate) {
  makeSlider(0, 100);
  key[KEY_LEFT] = 1;
  update(4);
  EXPECT_EQ(slider->value, 0);
  EXPECT_EQ(changes, (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(SliderEntryTest, KeysOnlyMoveTheHighlightedSlider) {
  makeSlider(50, 100);
  tap(KEY_DOWN);
  key[KEY_RIGHT] = 1;
  update(10);
  EXPECT_EQ(slider->value, 50);
  EXPECT_TRUE(changes.empty());
}

// The menu is at (100, 200), so the slider's scale runs from screen x 200
// to 300 and its band from y 195 to 215.
TEST_F(SliderEntryTest, MouseScaleMapsItsSpanOntoTheRange) {
  makeSlider(10, 100);
  mouse_b = 1;
  moveMouse(250, 205);
  EXPECT_EQ(slider->value, 50);
  moveMouse(190, 205);  // the zone left of the scale means zero
  EXPECT_EQ(slider->value, 0);
  moveMouse(250, 216);  // below the band
  EXPECT_EQ(slider->value, 0);
  EXPECT_EQ(changes, (std::vector<int>{50, 0}));

  moveMouse(150, 200);  // in the band, over the label: reported unchanged
  EXPECT_EQ(changes.back(), 0);
  EXPECT_EQ(changes.size(), 3u);
  mouse_b = 0;
  moveMouse(250, 205);
  EXPECT_EQ(slider->value, 0);
}

TEST_F(SliderEntryTest, BarShowsTheValueInsideAFixedFrame) {
  makeSlider(50, 200);
  BITMAP* target = create_bitmap(400, 300);
  clear_to_color(target, makecol(0, 0, 0));
  menu->draw(target);
  // Bar from x 164 to 164 + 25, frame from 164 to 264, rows 200 to 210.
  EXPECT_EQ(getpixel(target, 180, 205), makecol(255, 0, 0));
  EXPECT_EQ(getpixel(target, 200, 205), makecol(0, 0, 0));
  EXPECT_EQ(getpixel(target, 264, 205), makecol(255, 255, 255));
  destroy_bitmap(target);
}

TEST_F(SliderEntryTest, ZeroMaximumDrawsWithoutDividingByZero) {
  makeSlider(0, 0);
  BITMAP* target = create_bitmap(400, 300);
  key[KEY_RIGHT] = 1;
  update(3);
  menu->draw(target);
  EXPECT_EQ(slider->value, 0);
  destroy_bitmap(target);
}
