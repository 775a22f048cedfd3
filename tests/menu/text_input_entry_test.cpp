#include "menu/text_input_entry.h"

#include <algorithm>

#include "menu_fixture.h"

namespace {

class TextInputTest : public MenuFixture {
 protected:
  std::string name = "Gil";
  TextInputEntry* input = nullptr;

  void SetUp() override {
    MenuFixture::SetUp();
    input = menu->addTextInput(&name, "CreateNew", "Name:", "", 48);
    menu->addEntry("CreateNew", "Create", "create", nullptr, -1, 0);
    menu->showPage("CreateNew");
  }

  void startTyping() {
    tap(KEY_ENTER);
    ASSERT_TRUE(input->pressed);
  }
  void type(std::initializer_list<int> codes) {
    for (int code : codes) tap(code);
  }
};

}  // namespace

TEST_F(TextInputTest, LettersAndDigitsAreTypedOnlyWhileTyping) {
  type({KEY_A});
  EXPECT_EQ(name, "Gil");
  startTyping();
  type({KEY_B, KEY_7, KEY_Z});
  EXPECT_EQ(name, "Gilb7z");
  tap(KEY_ENTER);  // ends typing
  type({KEY_C});
  EXPECT_EQ(name, "Gilb7z");
}

TEST_F(TextInputTest, HeldKeyTypesOnce) {
  startTyping();
  press(KEY_Q);
  update(10);
  release(KEY_Q);
  EXPECT_EQ(name, "Gilq");
}

TEST_F(TextInputTest, AtMaxLengthOnlyBackspaceStillWorks) {
  input->maxLength = 4;
  startTyping();
  type({KEY_O, KEY_X, KEY_1, KEY_SPACE});
  EXPECT_EQ(name, "Gilo");
  type({KEY_BACKSPACE, KEY_BACKSPACE});
  EXPECT_EQ(name, "Gi");
  type({KEY_BACKSPACE, KEY_BACKSPACE, KEY_BACKSPACE});
  EXPECT_EQ(name, "");
}

TEST_F(TextInputTest, CapsLockAndShiftGiveCapitalsButLeaveDigitsAlone) {
  startTyping();
  key_shifts = KB_CAPSLOCK_FLAG;
  type({KEY_K, KEY_4});
  key_shifts = KB_SHIFT_FLAG;
  type({KEY_E});
  key_shifts = 0;
  type({KEY_E});
  EXPECT_EQ(name, "GilK4Ee");
}

TEST_F(TextInputTest, SpaceTypesASpaceInsteadOfEndingTyping) {
  startTyping();
  type({KEY_SPACE, KEY_R});
  EXPECT_EQ(name, "Gil r");
  EXPECT_TRUE(input->pressed);
  EXPECT_EQ(actions.size(), 1u);  // only the activation that started typing
}

TEST_F(TextInputTest, SpaceThatStartsTypingIsNotTyped) {
  tap(KEY_SPACE);
  ASSERT_TRUE(input->pressed);
  EXPECT_EQ(name, "Gil");
}

TEST_F(TextInputTest, LeavingTheLineEndsTypingAndGivesSpaceBackToTheMenu) {
  startTyping();
  tap(KEY_DOWN);
  EXPECT_FALSE(input->pressed);
  type({KEY_M});
  EXPECT_EQ(name, "Gil");
  tap(KEY_SPACE);
  EXPECT_EQ(actions.back(), "create");

  tap(KEY_UP);
  startTyping();
  menu->showPage("CreateNew");  // a page switch ends typing too
  EXPECT_FALSE(input->pressed);
  EXPECT_EQ(menu->bindings["activate"], (std::vector<int>{KEY_ENTER, KEY_SPACE}));
}

TEST_F(TextInputTest, CursorBlinksAtItsIntervalWhileTyping) {
  startTyping();
  bool before = input->cursorVisible;
  menu->update(0.1f);
  EXPECT_EQ(input->cursorVisible, before);
  menu->update(0.1f);
  EXPECT_NE(input->cursorVisible, before);
}

TEST_F(TextInputTest, CentredTextSitsAroundXWithTheLabelBelow) {
  input->centred = true;
  input->centreOffsetY = 20;
  menu->setPosition(100, 0);
  name = "WW";  // 16 px wide: from x 92 to 108
  BITMAP* target = create_bitmap(200, 50);
  clear_to_color(target, makecol(0, 0, 0));
  menu->draw(target);
  auto inkInRows = [&](int fromX, int toX, int top) {
    for (int py = top; py < top + 8; ++py)
      for (int px = fromX; px < toX; ++px)
        if (getpixel(target, px, py) != makecol(0, 0, 0)) return true;
    return false;
  };
  EXPECT_TRUE(inkInRows(92, 108, 0));
  EXPECT_FALSE(inkInRows(0, 92, 0));
  EXPECT_TRUE(inkInRows(100, 140, 20));  // "Name:" 20 px lower
  destroy_bitmap(target);
}

// Letters were ignored until Enter on the line, with no cursor, and the
// suggested name had to be erased key by key.
TEST_F(TextInputTest, LettersIgnoredUntilEnterAndDefaultErasedKeyByKey) {
  input->typesWhenHighlighted = true;
  menu->showPage("CreateNew");
  update();
  BITMAP* target = create_bitmap(200, 20);
  clear_to_color(target, makecol(0, 0, 0));
  menu->draw(target);
  bool cursorInk = false;  // "|" right after the 24-px "Gil", which starts at x 48
  for (int py = 0; py < 8; ++py)
    for (int px = 72; px < 80; ++px) cursorInk |= getpixel(target, px, py) != makecol(0, 0, 0);
  EXPECT_TRUE(cursorInk);
  destroy_bitmap(target);

  type({KEY_A, KEY_N});
  EXPECT_EQ(name, "an");  // the first key replaced "Gil"
  tap(KEY_ENTER);         // on to "Create", the name kept
  EXPECT_EQ(menu->current, 1);
  auto creations = [&] { return std::count(actions.begin(), actions.end(), "create"); };
  EXPECT_EQ(creations(), 0);
  tap(KEY_UP);
  type({KEY_N});
  EXPECT_EQ(name, "ann");  // edited already: typing goes on at the end
  tap(KEY_DOWN);
  tap(KEY_ENTER);
  EXPECT_EQ(creations(), 1);

  menu->showPage("CreateNew");  // a new visit suggests the name again
  update();
  tap(KEY_BACKSPACE);
  EXPECT_EQ(name, "");
}
