// The menu's cursor sounds through a real sound manager. Allegro plays into
// ALSA's null device, so the manager runs for real without speakers; what
// the menu asked for shows in the manager's cooldown table.
#include <allegro.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "menu/menu.h"
#include "menu/menu_entry.h"
#include "menu_fixture.h"
#include "sound/sound_manager.h"

namespace {

class MenuSound : public testing::Test {
 protected:
  MenuTestEngine engine;
  std::unique_ptr<SoundManager> sound;
  std::unique_ptr<Menu> menu;

  void SetUp() override {
    ASSERT_EQ(allegro_init(), 0);
    const std::string config = "[sound]\ndigi_card = ALSA\nalsa_device = null\n";
    override_config_data(config.c_str(), static_cast<int>(config.size()));
    clearInput();
    sound = std::make_unique<SoundManager>();
    ASSERT_TRUE(sound->initialized);
    engine.sound = sound.get();
    menu = std::make_unique<Menu>();
    menu->moveSound = "bubble";
    menu->activateSound = "bubblehit";
    for (const char* label : {"A", "B", "C"}) menu->addEntry("Main", label, "go", nullptr, -1, 0);
    menu->showPage("Main");
  }
  void TearDown() override {
    menu.reset();
    engine.sound = nullptr;
  }

  // One frame as the engine runs it: the sound manager, then the menu.
  void frame(float dt) {
    sound->update(dt);
    menu->update(dt);
  }
  // Sets one key, then runs a frame of dt seconds.
  void keyFrame(int code, bool down, float dt) {
    key[code] = down ? 1 : 0;
    frame(dt);
  }
  float cooldown(const std::string& name) { return sound->cooldowns[name]; }
};

}  // namespace

TEST_F(MenuSound, MovesPlayAtMostOncePerTenthOfASecond) {
  keyFrame(KEY_DOWN, true, 0.0f);
  EXPECT_FLOAT_EQ(cooldown("bubble"), 0.1f);
  keyFrame(KEY_DOWN, false, 0.03f);
  keyFrame(KEY_DOWN, true, 0.03f);  // moves again while the sound is locked
  EXPECT_EQ(menu->current, 2);
  EXPECT_NEAR(cooldown("bubble"), 0.04f, 1e-4);  // not re-armed: it did not play
  keyFrame(KEY_DOWN, false, 0.05f);
  keyFrame(KEY_UP, true, 0.0f);
  EXPECT_FLOAT_EQ(cooldown("bubble"), 0.1f);  // ran out, so it played anew
}

TEST_F(MenuSound, ActivationPlaysAtMostOncePerHalfSecond) {
  keyFrame(KEY_ENTER, true, 0.0f);
  EXPECT_FLOAT_EQ(cooldown("bubblehit"), 0.5f);
  keyFrame(KEY_ENTER, false, 0.2f);
  keyFrame(KEY_ENTER, true, 0.2f);
  EXPECT_NEAR(cooldown("bubblehit"), 0.1f, 1e-4);
  keyFrame(KEY_ENTER, false, 0.2f);
  keyFrame(KEY_ENTER, true, 0.0f);
  EXPECT_FLOAT_EQ(cooldown("bubblehit"), 0.5f);
}

TEST_F(MenuSound, EmptySoundNamesStaySilent) {
  menu->moveSound.clear();
  menu->activateSound.clear();
  keyFrame(KEY_DOWN, true, 0.0f);
  keyFrame(KEY_ENTER, true, 0.0f);
  EXPECT_TRUE(sound->cooldowns.empty());
}
