// The audio layer below the sound manager: handles, playback slots and
// files that are not what they claim to be.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "audio_capture.h"
#include "sound/audio_device.h"
#include "sound/voice_control.h"
#include "support/test_support.h"
#include "synth/ogg_writer.h"

namespace {

struct OpenDevice : testing::Test {
  void SetUp() override {
    audiotest::startAllegroWithCapture();
    ASSERT_TRUE(device.init());
    audiotest::writeTone("tone.ogg", 440.0, 3.0);
    sample = device.sampleLoad("tone.ogg", 3);
    ASSERT_NE(sample, 0u);
  }
  AudioDevice device;
  unsigned sample = 0;
};

}  // namespace

TEST_F(OpenDevice, FourthPlaybackReusesTheSlotOfTheLongestRunning) {
  unsigned first = device.samplePlay(sample, -1, 100, 0, false);
  unsigned second = device.samplePlay(sample, -1, 100, 0, true);
  unsigned third = device.samplePlay(sample, 22050, 100, 0, false);
  EXPECT_EQ(device.samplePlaybacks(sample), 3);
  unsigned fourth = device.samplePlay(sample, -1, 100, 0, false);
  EXPECT_EQ(device.samplePlaybacks(sample), 3);
  EXPECT_FALSE(device.channelIsPlaying(first));
  for (unsigned channel : {second, third, fourth}) EXPECT_TRUE(device.channelIsPlaying(channel));
}

TEST_F(OpenDevice, StoppingAPlaybackFreesItsSlot) {
  unsigned first = device.samplePlay(sample, -1, 100, 0, false);
  device.samplePlay(sample, -1, 100, 0, false);
  unsigned third = device.samplePlay(sample, -1, 100, 0, false);
  EXPECT_TRUE(device.channelStop(third));
  EXPECT_EQ(device.samplePlaybacks(sample), 2);
  device.samplePlay(sample, -1, 100, 0, false);
  EXPECT_TRUE(device.channelIsPlaying(first));
}

TEST_F(OpenDevice, SampleReportsItsOwnRate) {
  EXPECT_EQ(device.sampleRate(sample), 44100);
  EXPECT_EQ(device.sampleRate(0), 0);
}

TEST_F(OpenDevice, UnknownHandlesAndUnplayableRatesDoNothing) {
  EXPECT_EQ(device.samplePlay(0, -1, 100, 0, false), 0u);
  EXPECT_EQ(device.samplePlay(sample + 100, -1, 100, 0, false), 0u);
  EXPECT_EQ(device.samplePlay(sample, 0, 100, 0, false), 0u);
  EXPECT_EQ(device.samplePlay(sample, -50, 100, 0, false), 0u);
  EXPECT_FALSE(device.streamPlay(0, true, true));
  EXPECT_FALSE(device.channelSetAttributes(12345, -1, 50, 0));
  EXPECT_FALSE(device.channelSlideAttributes(12345, 22050, 50, -101, 100));
  EXPECT_FALSE(device.channelStop(0));
  device.streamFree(0);
  device.streamFree(999);
}

TEST_F(OpenDevice, FilesThatAreNotOggVorbisAreRefused) {
  testsupport::writeFile("empty.ogg", "");
  testsupport::writeFile("text.ogg", "OggS but not really");
  for (const char* path : {"empty.ogg", "text.ogg", "absent.ogg"}) {
    EXPECT_EQ(device.sampleLoad(path, 3), 0u) << path;
    EXPECT_EQ(device.streamCreateFile(path), 0u) << path;
  }
}

TEST_F(OpenDevice, LoopingStreamOfAnEmptyTrackEndsInsteadOfSpinning) {
  AudioBuffer nothing;
  ASSERT_TRUE(writeOgg(nothing, "nothing.ogg", 1));
  unsigned stream = device.streamCreateFile("nothing.ogg");
  ASSERT_NE(stream, 0u);
  EXPECT_TRUE(device.streamPlay(stream, true, true));
  for (int i = 0; i < 200 && device.channelIsPlaying(stream); ++i) {
    device.update();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_FALSE(device.channelIsPlaying(stream));
}

TEST_F(OpenDevice, VolumeSetBeforePlayAppliesWhenTheStreamStarts) {
  unsigned stream = device.streamCreateFile("tone.ogg");
  EXPECT_TRUE(device.channelSetAttributes(stream, -1, 0, 0));
  EXPECT_FALSE(device.channelIsPlaying(stream));
  EXPECT_TRUE(device.streamPlay(stream, true, false));
  for (int i = 0; i < 60; ++i) {
    device.update();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_TRUE(device.channelIsPlaying(stream));
  device.shutdown();
  audiotest::Capture capture = audiotest::readCapture();
  ASSERT_GT(capture.size(), 0u);
  EXPECT_EQ(capture.onset(1e-4f), capture.size());
}

TEST(AudioDevice, ClosedDeviceRefusesEverything) {
  AudioDevice device;
  audiotest::writeTone("tone.ogg", 440.0, 0.1);
  EXPECT_EQ(device.sampleLoad("tone.ogg", 3), 0u);
  EXPECT_EQ(device.streamCreateFile("tone.ogg"), 0u);
  device.update();
  device.shutdown();
}

TEST(VoiceControl, LayerRangesMapOntoAllegrosWithTheCentreKept) {
  EXPECT_EQ(voicecontrol::toAllegroVolume(0), 0);
  EXPECT_EQ(voicecontrol::toAllegroVolume(100), 255);
  EXPECT_EQ(voicecontrol::toAllegroVolume(150), 255);
  EXPECT_EQ(voicecontrol::toAllegroVolume(-7), 0);
  EXPECT_EQ(voicecontrol::toAllegroPan(-100), 0);
  EXPECT_EQ(voicecontrol::toAllegroPan(0), 128);
  EXPECT_EQ(voicecontrol::toAllegroPan(100), 255);
  EXPECT_EQ(voicecontrol::toAllegroPan(-300), 0);
  EXPECT_EQ(voicecontrol::toAllegroPan(300), 255);
}
