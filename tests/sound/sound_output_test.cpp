// What the game really plays, heard through ALSA's file plugin.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>

#include "audio_capture.h"
#include "sound/sound_manager.h"

using audiotest::Capture;

namespace {

const double kToneHz = 440.0;
const double kSilence = 1e-4;

// Allegro recording into the capture file, with sfx/tone.ogg loaded.
std::unique_ptr<SoundManager> startCapturing(double toneSeconds = 1.0) {
  audiotest::startAllegroWithCapture();
  mkdir("sfx", 0755);
  audiotest::writeTone("sfx/tone.ogg", kToneHz, toneSeconds);
  auto sound = std::make_unique<SoundManager>();
  sound->loadSamples("sfx/", ".ogg");
  return sound;
}

Capture finish(std::unique_ptr<SoundManager> sound) {
  sound.reset();
  return audiotest::readCapture();
}

size_t seconds(const Capture& capture, double s) {
  return static_cast<size_t>(s * capture.rate);
}

}  // namespace

TEST(SoundOutput, EffectsVolumeZeroSilencesEffects) {
  auto sound = startCapturing();
  ASSERT_TRUE(sound->initialized);
  sound->setSfxVolume(0);
  sound->playSample("tone", 255, 0, 1000, false);
  audiotest::drive(*sound, 0.3);
  Capture muted = finish(std::move(sound));
  ASSERT_GT(muted.size(), 0u);
  EXPECT_EQ(muted.onset(kSilence), muted.size());
}

TEST(SoundOutput, EffectAtFullVolumeIsHeardAtItsOwnPitch) {
  auto sound = startCapturing();
  EXPECT_NE(sound->playSample("tone", 255, 0, 1000, false), 0u);
  audiotest::drive(*sound, 0.3);
  Capture capture = finish(std::move(sound));
  size_t start = capture.onset();
  ASSERT_LT(start, capture.size());
  size_t end = start + seconds(capture, 0.5);
  EXPECT_GT(audiotest::rms(capture.left, start, end), 0.1);
  EXPECT_NEAR(audiotest::zeroCrossingHz(capture.left, start, end, capture.rate), kToneHz, 10.0);
}

TEST(SoundOutput, FullPanPutsTheEffectInOneChannel) {
  auto sound = startCapturing();
  sound->playSample("tone", 255, 255, 1000, false);
  audiotest::drive(*sound, 0.3);
  Capture capture = finish(std::move(sound));
  size_t start = capture.onset();
  size_t end = start + seconds(capture, 0.5);
  EXPECT_GT(audiotest::rms(capture.right, start, end), 0.1);
  EXPECT_LT(audiotest::rms(capture.left, start, end), kSilence);
}

TEST(SoundOutput, PitchSixHundredPlaysAtSixtyPercentOfTheRate) {
  auto sound = startCapturing();
  sound->playSample("tone", 255, 0, 600, false);
  audiotest::drive(*sound, 0.3);
  Capture capture = finish(std::move(sound));
  size_t start = capture.onset();
  size_t end = start + seconds(capture, 0.5);
  EXPECT_NEAR(audiotest::zeroCrossingHz(capture.left, start, end, capture.rate), 0.6 * kToneHz,
              8.0);
}

TEST(SoundOutput, FourthPlaybackOfOneEffectCutsTheOldest) {
  auto sound = startCapturing(8.0);
  // One sample at four pitches, so each playback can be told apart.
  const int pitches[] = {500, 750, 1000, 1250};
  // Quiet enough that four together never clip (which would add tones).
  for (int i = 0; i < 3; ++i) sound->playSample("tone", 100, 0, pitches[i], false);
  audiotest::drive(*sound, 0.3);
  sound->playSample("tone", 100, 0, pitches[3], false);
  audiotest::drive(*sound, 0.3);
  Capture capture = finish(std::move(sound));
  size_t start = capture.onset();
  size_t firstEnd = start + seconds(capture, 0.2);
  size_t lastStart = capture.size() - seconds(capture, 0.2);
  ASSERT_GT(lastStart, firstEnd);
  auto level = [&](size_t from, size_t to, int pitch) {
    return audiotest::toneLevel(capture.left, from, to, kToneHz * pitch / 1000.0, capture.rate);
  };
  EXPECT_GT(level(start, firstEnd, 500), 0.02);
  EXPECT_LT(level(start, firstEnd, 1250), 0.005);
  EXPECT_LT(level(lastStart, capture.size(), 500), 0.005);
  for (int pitch : {750, 1000, 1250}) EXPECT_GT(level(lastStart, capture.size(), pitch), 0.02);
}

// Plays a 0.4 s tone as music and returns what was heard.
Capture captureShortMusic(bool loop) {
  auto sound = startCapturing();
  audiotest::writeTone("short.ogg", kToneHz, 0.4);
  sound->playMusic("short.ogg", loop);
  audiotest::drive(*sound, 0.8);
  return finish(std::move(sound));
}

TEST(SoundOutput, LoopingMusicKeepsPlayingPastItsEnd) {
  Capture capture = captureShortMusic(true);
  size_t from = capture.onset() + seconds(capture, 0.7);
  size_t to = from + seconds(capture, 0.4);
  ASSERT_GT(capture.size(), to);
  EXPECT_GT(audiotest::rms(capture.left, from, to), 0.1);
  EXPECT_NEAR(audiotest::zeroCrossingHz(capture.left, from, to, capture.rate), kToneHz, 10.0);
}

TEST(SoundOutput, MusicPlayedOnceFallsSilentAtItsEnd) {
  Capture capture = captureShortMusic(false);
  size_t start = capture.onset();
  size_t from = start + seconds(capture, 0.5);
  ASSERT_GT(capture.size(), from + seconds(capture, 0.3));
  EXPECT_GT(audiotest::rms(capture.left, start, start + seconds(capture, 0.3)), 0.1);
  EXPECT_LT(audiotest::rms(capture.left, from, capture.size()), kSilence);
}

TEST(SoundOutput, MusicVolumeChangesAtOnce) {
  auto sound = startCapturing();
  audiotest::writeTone("long.ogg", kToneHz, 5.0);
  sound->playMusic("long.ogg", true);
  audiotest::drive(*sound, 0.3);
  sound->setMusicVolume(0);
  audiotest::drive(*sound, 0.3);
  Capture capture = finish(std::move(sound));
  size_t start = capture.onset();
  size_t tail = capture.size() - seconds(capture, 0.2);
  ASSERT_GT(tail, start + seconds(capture, 0.2));
  EXPECT_GT(audiotest::rms(capture.left, start, start + seconds(capture, 0.2)), 0.1);
  EXPECT_LT(audiotest::rms(capture.left, tail, capture.size()), kSilence);
}

TEST(SoundOutput, SlidingMusicToPitchFiveHundredHalvesItsRate) {
  auto sound = startCapturing();
  audiotest::writeTone("long.ogg", kToneHz, 5.0);
  sound->playMusic("long.ogg", true);
  audiotest::drive(*sound, 0.2);
  sound->slideMusic(500, 0.05);
  audiotest::drive(*sound, 0.5);
  Capture capture = finish(std::move(sound));
  size_t start = capture.onset();
  size_t end = capture.size();
  size_t tail = end - seconds(capture, 0.3);
  EXPECT_NEAR(audiotest::zeroCrossingHz(capture.left, start, start + seconds(capture, 0.2),
                                        capture.rate),
              kToneHz, 10.0);
  EXPECT_NEAR(audiotest::zeroCrossingHz(capture.left, tail, end, capture.rate), kToneHz / 2,
              6.0);
}
