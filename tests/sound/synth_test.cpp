// The synthesiser that makes the game's effects and tunes.
#include <gtest/gtest.h>

#include <cmath>

#include "sound/ogg_decoder.h"
#include "support/test_support.h"
#include "synth/effect_recipe.h"
#include "synth/ogg_writer.h"
#include "synth/score.h"

namespace {

float peak(const AudioBuffer& buffer, long from, long to) {
  float loudest = 0.0f;
  for (long i = from * buffer.channels; i < to * buffer.channels; ++i)
    loudest = std::max(loudest, std::fabs(buffer.samples[i]));
  return loudest;
}

}  // namespace

TEST(Synth, PitchNamesFollowEqualTemperamentFromA440) {
  double hz = 0.0;
  ASSERT_TRUE(pitchToFrequency("A4", hz));
  EXPECT_DOUBLE_EQ(hz, 440.0);
  ASSERT_TRUE(pitchToFrequency("C4", hz));
  EXPECT_NEAR(hz, 261.63, 0.01);
  double sharp = 0.0, flat = 0.0;
  ASSERT_TRUE(pitchToFrequency("A#3", sharp));
  ASSERT_TRUE(pitchToFrequency("Bb3", flat));
  EXPECT_DOUBLE_EQ(sharp, flat);
  for (const char* bad : {"H4", "C", "C#", "Cx4", "C44", "c4", ""})
    EXPECT_FALSE(pitchToFrequency(bad, hz)) << bad;
}

TEST(Synth, EffectLastsAsLongAsItsLongestVoiceAndPeaksWhereAsked) {
  AudioBuffer out;
  std::string error;
  ASSERT_TRUE(renderEffect("peak 0.5\n"
                           "voice dur=0.1 release=0.1 # a comment\n"
                           "voice start=0.2 dur=0.2 release=0.1 wave=noise freq=8000\n",
                           out, error))
      << error;
  EXPECT_EQ(out.channels, 1);
  EXPECT_NEAR(out.frames() / 44100.0, 0.5, 0.001);
  EXPECT_NEAR(peak(out, 0, out.frames()), 0.5, 1e-6);
}

TEST(Synth, BadRecipesNameTheirLine) {
  const char* recipes[] = {"voice wave=cosine\n", "\nvoice freq=loud\n", "# nothing\nhum\n",
                           "voice dur\n",         "voice gain=1 speed=3\n"};
  for (const char* recipe : recipes) {
    AudioBuffer out;
    std::string error;
    EXPECT_FALSE(renderEffect(recipe, out, error)) << recipe;
    EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
  }
  AudioBuffer out;
  std::string error;
  EXPECT_FALSE(renderEffect("# no voices at all\n", out, error));
  EXPECT_FALSE(renderEffect("voice dur=60\n", out, error));
}

TEST(Synth, LoopingTuneIsWholeBarsAndItsLastNoteRingsIntoTheStart) {
  const std::string score =
      "tempo 120\n"
      "instrument bell wave=sine release=0.4 legato=1\n"
      "play bell r.12 C5.4\n";
  AudioBuffer looped, once;
  std::string error;
  ASSERT_TRUE(renderScore(score, looped, error)) << error;
  ASSERT_TRUE(renderScore("loop no\n" + score, once, error)) << error;
  // One bar at 120 beats a minute is 2 s.
  EXPECT_EQ(looped.frames(), 88200);
  EXPECT_EQ(looped.channels, 2);
  EXPECT_GT(peak(looped, 0, 4410), 0.05f);
  EXPECT_NEAR(once.frames() / 44100.0, 2.4, 0.01);
  EXPECT_LT(peak(once, 0, 4410), 1e-6f);
}

TEST(Synth, PatternsRepeatAndBarsFixTheLength) {
  AudioBuffer out;
  std::string error;
  ASSERT_TRUE(renderScore("tempo 60\nbars 3\n"
                          "instrument drum freq=100 wave=sine\n"
                          "pattern hit x.4 r.4\n"
                          "play drum @hit*2 | r.16 x.16\n",
                          out, error))
      << error;
  // Three bars of four 1 s beats; the last hit runs past and wraps.
  EXPECT_EQ(out.frames(), 12 * 44100);
  EXPECT_GT(peak(out, 2 * 44100, 3 * 44100), 0.05f);
  EXPECT_LT(peak(out, 5 * 44100, 6 * 44100), 1e-6f);
}

TEST(Synth, RunawayPatternsAndBadScoresAreErrorsNotCrashes) {
  AudioBuffer out;
  std::string error;
  EXPECT_FALSE(renderScore("instrument a\npattern p @p\nplay a @p\n", out, error));
  EXPECT_FALSE(renderScore("instrument a\nplay b C4.4\n", out, error));
  EXPECT_FALSE(renderScore("instrument a\nplay a C4.0\n", out, error));
  EXPECT_FALSE(renderScore("tempo -3\n", out, error));
  EXPECT_FALSE(renderScore("instrument a\npattern p x.1\npattern q @p*1000\n"
                           "pattern r @q*1000\npattern s @r*1000\nplay a @s*1000\n",
                           out, error));
}

TEST(Synth, NoteCountsPastTheLimitStopWithAClearErrorInsteadOfHanging) {
  AudioBuffer out;
  std::string error;
  // Sixty-fourth notes at a huge tempo never reach the length limit.
  EXPECT_FALSE(renderScore("tempo 100000000\ninstrument a\npattern p r.1\n"
                           "play a @p*2000000000\n",
                           out, error));
  EXPECT_NE(error.find("more than 100000 notes"), std::string::npos) << error;
  EXPECT_FALSE(renderScore("instrument a\nplay a C4.99999999999999\n", out, error));
  EXPECT_FALSE(renderScore("bars 99999999999999999\ninstrument a\nplay a C4\n", out, error));

  std::string layered;
  for (int i = 0; i < 5; ++i) layered += "voice dur=0.01 repeat=256 every=0.01\n";
  EXPECT_FALSE(renderEffect(layered, out, error));
  EXPECT_NE(error.find("more than 1024 notes"), std::string::npos) << error;
  EXPECT_TRUE(renderEffect("voice dur=0.01 repeat=256 every=0.01\n", out, error)) << error;
}

TEST(Synth, OggFilesAreByteForByteRepeatableAndDecodeToTheRenderedLength) {
  AudioBuffer out;
  std::string error;
  ASSERT_TRUE(renderEffect("voice dur=0.3 freq=300 to=900\n", out, error));
  ASSERT_TRUE(writeOgg(out, "a.ogg", 7));
  ASSERT_TRUE(writeOgg(out, "b.ogg", 7));
  EXPECT_EQ(testsupport::readFile("a.ogg"), testsupport::readFile("b.ogg"));

  OggDecoder decoder;
  ASSERT_TRUE(decoder.open("a.ogg"));
  EXPECT_EQ(decoder.rate(), 44100);
  EXPECT_EQ(decoder.channels(), 1);
  EXPECT_EQ(decoder.totalFrames(), out.frames());
}
