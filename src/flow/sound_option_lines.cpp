#include "flow/sound_option_lines.h"

#include "flow/game_app.h"
#include "menu/menu.h"
#include "sound/sound_manager.h"

namespace {
const int kVolumeMaximum = 255;
const float kSfxPreviewCooldownS = 0.5f;
}  // namespace

void addSoundAndWaterLines(Menu& menu, const std::string& page) {
  GameApp& app = *GameApp::instance;
  SoundManager* sound = app.sound;
  int music = sound ? static_cast<int>(sound->musicVolume) : kVolumeMaximum;
  int effects = sound ? sound->sfxVolume : kVolumeMaximum;
  menu.addSlider(page, "Music", music, kVolumeMaximum,
                 [sound](int volume) { if (sound) sound->setMusicVolume(volume); }, "");
  menu.addSlider(page, "SFX", effects, kVolumeMaximum, [sound](int volume) {
    if (!sound) return;
    sound->setSfxVolume(volume);
    sound->playSampleThrottled("bubble", kSfxPreviewCooldownS, 255, 128, 1000, false);
  }, "");
  menu.addToggle(page, "Water Effect", "", &app.waterEffect, "On", "Off");
}
