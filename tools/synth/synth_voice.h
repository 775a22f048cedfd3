#pragma once
#include <string>
#include <vector>

// One synthesised sound event: an oscillator with a pitch glide, an ADSR
// envelope, optional vibrato, tremolo and one-pole filters, repeated
// `repeat` times `every` seconds apart (each repeat `step` semitones higher
// and `fade` times as loud).
enum class Wave { Sine, Square, Saw, Triangle, Noise };

struct SynthVoice {
  Wave wave = Wave::Sine;
  double start = 0.0;      // seconds
  double duration = 0.1;   // gate time in seconds; the release follows it
  double freq = 440.0;     // Hz at the start (noise: sample-and-hold rate)
  double freqEnd = -1.0;   // Hz at the end of the gate; negative = freq
  bool linearSweep = false;
  double attack = 0.005, decay = 0.05, sustain = 0.7, release = 0.05;  // s, level
  double gain = 0.5;
  double pan = 0.0;        // −1 left … 1 right
  double vibratoHz = 0.0, vibratoDepth = 0.0;  // depth as a fraction of freq
  double tremoloHz = 0.0, tremoloDepth = 0.0;  // depth 0–1
  double duty = 0.5;       // square waves
  double lowpassHz = 0.0, highpassHz = 0.0;    // 0 = off
  unsigned seed = 1;       // noise
  int repeat = 1;
  double every = 0.1, step = 0.0, fade = 1.0;
};

// Interleaved float audio, −1…1 when normalised.
struct AudioBuffer {
  int rate = 44100;
  int channels = 1;
  std::vector<float> samples;
  long frames() const { return static_cast<long>(samples.size()) / channels; }
};

// Applies one key=value setting; false with a message for an unknown key or
// an unreadable value.
bool applyVoiceSetting(SynthVoice& voice, const std::string& key, const std::string& value,
                       std::string& error);

// Seconds from the voice's start to the end of its last release.
double voiceLength(const SynthVoice& voice);

// Mixes the voice into buffer. With wrap, sound past the end continues at
// the start (for tunes that loop seamlessly); otherwise it is cut.
void renderVoice(const SynthVoice& voice, AudioBuffer& buffer, bool wrap);

// Scales the buffer so its loudest sample is peak (silence stays silent).
void normalise(AudioBuffer& buffer, double peak);
