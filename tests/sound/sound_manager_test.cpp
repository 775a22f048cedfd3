// The sound manager's own rules: throttling, music switching, volumes and
// "volume.cfg", failures. Output goes to the recording device so the
// manager runs for real; the recording itself is not examined here.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

#include "audio_capture.h"
#include "sound/sound_manager.h"
#include "support/test_support.h"

using testsupport::logLines;
using testsupport::messageBoxTexts;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

bool logged(const std::string& line) {
  std::vector<std::string> lines = logLines();
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::unique_ptr<SoundManager> startSound() {
  audiotest::startAllegroWithCapture();
  mkdir("sfx", 0755);
  audiotest::writeTone("sfx/tone.ogg", 440.0, 3.0);
  audiotest::writeTone("sfx/other.ogg", 660.0, 3.0);
  auto sound = std::make_unique<SoundManager>();
  sound->loadSamples("sfx/", ".ogg");
  return sound;
}

int playbacks(SoundManager& sound, const std::string& name) {
  return sound.device().samplePlaybacks(sound.samples["sfx/" + name + ".ogg"]);
}

}  // namespace

TEST(SoundManager, ThrottledEffectPlaysOncePerCooldownAndBlocksOnlyItsOwnName) {
  auto sound = startSound();
  sound->playSampleThrottled("tone", 0.5f, 255, 128, 1000, false);
  sound->playSampleThrottled("tone", 0.5f, 255, 128, 1000, false);
  EXPECT_EQ(playbacks(*sound, "tone"), 1);
  sound->playSampleThrottled("other", 0.5f, 255, 128, 1000, false);
  EXPECT_EQ(playbacks(*sound, "other"), 1);

  sound->update(0.3f);
  sound->playSampleThrottled("tone", 0.5f, 255, 128, 1000, false);
  EXPECT_EQ(playbacks(*sound, "tone"), 1);
  sound->update(0.3f);
  sound->playSampleThrottled("tone", 0.5f, 255, 128, 1000, false);
  EXPECT_EQ(playbacks(*sound, "tone"), 2);
}

TEST(SoundManager, NegativeCooldownDoesNotLockTheNameForGood) {
  auto sound = startSound();
  sound->playSampleThrottled("tone", -1.0f, 255, 128, 1000, false);
  sound->update(0.1f);
  sound->playSampleThrottled("tone", -1.0f, 255, 128, 1000, false);
  EXPECT_EQ(playbacks(*sound, "tone"), 2);
}

TEST(SoundManager, SwitchMusicKeepsTheSameTrackAndPlayMusicRestartsIt) {
  auto sound = startSound();
  audiotest::writeTone("a.ogg", 440.0, 1.0);
  audiotest::writeTone("b.ogg", 330.0, 1.0);
  sound->playMusic("a.ogg", true);
  unsigned first = sound->musicStream;
  ASSERT_NE(first, 0u);
  sound->switchMusic("a.ogg", true);
  EXPECT_EQ(sound->musicStream, first);
  EXPECT_TRUE(sound->device().channelIsPlaying(first));

  sound->switchMusic("b.ogg", true);
  unsigned second = sound->musicStream;
  EXPECT_NE(second, first);
  EXPECT_FALSE(sound->device().channelIsPlaying(first));
  EXPECT_EQ(sound->currentMusic, "b.ogg");

  sound->playMusic("b.ogg", true);
  EXPECT_NE(sound->musicStream, second);
  EXPECT_TRUE(sound->device().channelIsPlaying(sound->musicStream));
}

TEST(SoundManager, StoppedMusicStaysAllocatedAndSilent) {
  auto sound = startSound();
  audiotest::writeTone("a.ogg", 440.0, 1.0);
  sound->playMusic("a.ogg", true);
  sound->stopMusic();
  EXPECT_NE(sound->musicStream, 0u);
  EXPECT_FALSE(sound->device().channelIsPlaying(sound->musicStream));
  sound->update(0.01f);
  sound->slideMusic(500, 1.0f);
}

TEST(SoundManager, VolumesAreClampedToTheirRange) {
  auto sound = startSound();
  sound->setMusicVolume(300);
  EXPECT_EQ(sound->musicVolume, 255.0f);
  sound->setMusicVolume(-5);
  EXPECT_EQ(sound->musicVolume, 0.0f);
  sound->setSfxVolume(1000);
  EXPECT_EQ(sound->sfxVolume, 255);
  sound->setSfxVolume(-1);
  EXPECT_EQ(sound->sfxVolume, 0);
}

TEST(SoundManager, SavedVolumesUseTheFileFormatAndReadBack) {
  {
    audiotest::startAllegroWithCapture();
    SoundManager sound;
    EXPECT_FALSE(logged("loadedVolume"));
    EXPECT_EQ(sound.sfxVolume, 255);
    EXPECT_EQ(sound.musicVolume, 255.0f);
    sound.saveVolumes();
    EXPECT_EQ(readFile("volume.cfg"), "255 255\n");
    sound.setSfxVolume(100);
    sound.setMusicVolume(37);
    sound.saveVolumes();
    EXPECT_TRUE(logged("savedVolume"));
  }
  EXPECT_EQ(readFile("volume.cfg"), "100 37\n");
  SoundManager again;
  EXPECT_EQ(again.sfxVolume, 100);
  EXPECT_EQ(again.musicVolume, 37.0f);
  EXPECT_TRUE(logged("loadedVolume"));
}

TEST(SoundManager, VolumesOnAFullDiskAreReportedAndTheOldFileKept) {
  audiotest::startAllegroWithCapture();
  writeFile("volume.cfg", "10 20\n");
  ASSERT_EQ(symlink("/dev/full", "volume.cfg.tmp"), 0);
  SoundManager sound;
  sound.setSfxVolume(100);
  sound.saveVolumes();
  EXPECT_EQ(readFile("volume.cfg"), "10 20\n");
  EXPECT_FALSE(logged("savedVolume"));
  std::vector<std::string> lines = logLines();
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
    return line.rfind("Could not save [volume.cfg]", 0) == 0;
  }));
}

TEST(SoundManager, VolumeFileValuesOutOfRangeAreClamped) {
  audiotest::startAllegroWithCapture();
  writeFile("volume.cfg", "300 -20\n");
  SoundManager small;
  EXPECT_EQ(small.sfxVolume, 255);
  EXPECT_EQ(small.musicVolume, 0.0f);
  // Too big for an int: must clamp, not overflow.
  writeFile("volume.cfg", "-99999999999999999999 1e999\n");
  SoundManager huge;
  EXPECT_EQ(huge.sfxVolume, 0);
  EXPECT_EQ(huge.musicVolume, 255.0f);
}

TEST(SoundManager, VolumeFileGarbageGivesTheDefaults) {
  audiotest::startAllegroWithCapture();
  const char* files[] = {"", "loud quiet\n", "\x01\xff\xfe", "12abc 40\n", "nan nan\n"};
  for (const char* text : files) {
    SCOPED_TRACE(text);
    writeFile("volume.cfg", text);
    SoundManager sound;
    EXPECT_EQ(sound.sfxVolume, 255);
    EXPECT_EQ(sound.musicVolume, 255.0f);
  }
}

TEST(SoundManager, BrokenEffectIsReportedAndTheOthersStillPlay) {
  audiotest::startAllegroWithCapture();
  mkdir("sfx", 0755);
  writeFile("sfx/broken.ogg", "this is not an ogg file");
  audiotest::writeTone("sfx/tone.ogg", 440.0, 1.0);
  SoundManager sound;
  sound.loadSamples("sfx/", ".ogg");
  EXPECT_TRUE(logged("Can't load sample [sfx/broken.ogg]"));
  ASSERT_EQ(messageBoxTexts().size(), 1u);
  EXPECT_EQ(sound.playSample("broken", 255, 0, 1000, false), 0u);
  EXPECT_EQ(sound.playSample("missing", 255, 0, 700, false), 0u);
  EXPECT_NE(sound.playSample("tone", 255, 0, 1000, false), 0u);
}

TEST(SoundManager, MissingMusicIsReportedAndTheGameGoesOn) {
  auto sound = startSound();
  sound->playMusic("mus/nothing.ogg", true);
  EXPECT_EQ(sound->musicStream, 0u);
  EXPECT_EQ(sound->currentMusic, "mus/nothing.ogg");
  std::vector<std::string> expected = {"Can't create stream", "Can't play stream"};
  EXPECT_EQ(messageBoxTexts(), expected);
  sound->update(0.01f);
  sound->slideMusic(500, 0.5f);
  sound->stopMusic();
}

TEST(SoundManager, WithoutADeviceItLogsOnceAndStaysSilent) {
  audiotest::startAllegroWithoutDevice();
  writeFile("volume.cfg", "10 20\n");
  audiotest::writeTone("a.ogg", 440.0, 1.0);
  SoundManager sound;
  EXPECT_FALSE(sound.initialized);
  EXPECT_TRUE(logged("Can't initialize digital sound system"));
  EXPECT_TRUE(messageBoxTexts().empty());

  sound.loadSamples("sfx/", ".ogg");
  EXPECT_EQ(sound.playSample("tone", 255, 0, 600, true), 0u);
  sound.playSampleThrottled("tone", 0.5f, 255, 0, 1000, false);
  sound.playMusic("a.ogg", true);
  EXPECT_TRUE(sound.currentMusic.empty());
  EXPECT_EQ(sound.musicStream, 0u);
  sound.switchMusic("a.ogg", true);
  sound.slideMusic(500, 1.0f);
  sound.stopMusic();
  sound.setMusicVolume(10);
  sound.saveVolumes();
  sound.update(0.1f);
  EXPECT_EQ(readFile("volume.cfg"), "10 20\n");
  EXPECT_TRUE(messageBoxTexts().empty());
}

TEST(SoundManager, RegistersItselfAsTheSingleSoundManager) {
  audiotest::startAllegroWithoutDevice();
  {
    SoundManager sound;
    EXPECT_EQ(soundManager, &sound);
  }
  EXPECT_EQ(soundManager, nullptr);
}
