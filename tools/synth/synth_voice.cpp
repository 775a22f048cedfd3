#include "synth/synth_voice.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace {

const double kTwoPi = 6.283185307179586;
// Shortest envelope stage, so a zero-length attack does not divide by 0.
const double kMinStageSeconds = 0.0005;

bool parseNumber(const std::string& text, double& value) {
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end != text.c_str() && *end == '\0' && std::isfinite(value);
}

bool parseWave(const std::string& text, Wave& wave) {
  static const std::map<std::string, Wave> kWaves = {
      {"sine", Wave::Sine}, {"square", Wave::Square}, {"saw", Wave::Saw},
      {"triangle", Wave::Triangle}, {"noise", Wave::Noise}};
  auto found = kWaves.find(text);
  if (found == kWaves.end()) return false;
  wave = found->second;
  return true;
}

// Setting name → the number it writes.
double* numberField(SynthVoice& v, const std::string& key) {
  const std::map<std::string, double*> fields = {
      {"start", &v.start},         {"dur", &v.duration},       {"freq", &v.freq},
      {"to", &v.freqEnd},          {"attack", &v.attack},      {"decay", &v.decay},
      {"sustain", &v.sustain},     {"release", &v.release},    {"gain", &v.gain},
      {"pan", &v.pan},             {"vibrato", &v.vibratoHz},  {"vdepth", &v.vibratoDepth},
      {"tremolo", &v.tremoloHz},   {"tdepth", &v.tremoloDepth}, {"duty", &v.duty},
      {"lowpass", &v.lowpassHz},   {"highpass", &v.highpassHz}, {"every", &v.every},
      {"step", &v.step},           {"fade", &v.fade}};
  auto found = fields.find(key);
  return found == fields.end() ? nullptr : found->second;
}

double envelope(const SynthVoice& v, double t) {
  double attack = std::max(v.attack, kMinStageSeconds);
  double decay = std::max(v.decay, kMinStageSeconds);
  auto gate = [&](double at) {
    if (at < attack) return at / attack;
    if (at < attack + decay) return 1.0 - (1.0 - v.sustain) * (at - attack) / decay;
    return v.sustain;
  };
  if (t < v.duration) return gate(t);
  double release = std::max(v.release, kMinStageSeconds);
  double left = 1.0 - (t - v.duration) / release;
  return left > 0.0 ? gate(v.duration) * left : 0.0;
}

double frequencyAt(const SynthVoice& v, double t, double base) {
  double end = v.freqEnd > 0.0 ? v.freqEnd * base / v.freq : base;
  double p = v.duration > 0.0 ? std::min(t / v.duration, 1.0) : 1.0;
  double f = v.linearSweep ? base + (end - base) * p : base * std::pow(end / base, p);
  if (v.vibratoHz > 0.0) f *= 1.0 + v.vibratoDepth * std::sin(kTwoPi * v.vibratoHz * t);
  return f;
}

struct Oscillator {
  double phase = 0.0;
  unsigned state;
  double held = 0.0;

  explicit Oscillator(unsigned seed) : state(seed ? seed : 1u) {}

  double noise() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return (state & 0xffffff) / 8388607.5 - 1.0;
  }

  double next(const SynthVoice& v, double freq, int rate) {
    double previous = phase;
    phase += freq / rate;
    phase -= std::floor(phase);
    switch (v.wave) {
      case Wave::Sine: return std::sin(kTwoPi * phase);
      case Wave::Square: return phase < v.duty ? 1.0 : -1.0;
      case Wave::Saw: return 2.0 * phase - 1.0;
      case Wave::Triangle: return 4.0 * std::fabs(phase - 0.5) - 1.0;
      case Wave::Noise:
        if (phase < previous || freq >= rate) held = noise();
        return held;
    }
    return 0.0;
  }
};

// One-pole filters; coefficient from the cutoff in Hz.
struct Filters {
  double low = 0.0, lowIn = 0.0, highOut = 0.0, highIn = 0.0;
  double apply(const SynthVoice& v, double x, int rate) {
    if (v.lowpassHz > 0.0) {
      double a = 1.0 - std::exp(-kTwoPi * v.lowpassHz / rate);
      low += a * (x - low);
      x = low;
    }
    if (v.highpassHz > 0.0) {
      double a = std::exp(-kTwoPi * v.highpassHz / rate);
      highOut = a * (highOut + x - highIn);
      highIn = x;
      x = highOut;
    }
    return x;
  }
};

void renderOnce(const SynthVoice& v, double start, double base, double gain, AudioBuffer& out,
                bool wrap, unsigned seed) {
  long total = out.frames();
  if (total == 0) return;
  long first = std::lround(start * out.rate);
  long count = std::lround((v.duration + std::max(v.release, 0.0)) * out.rate);
  double left = gain * std::min(1.0, 1.0 - v.pan);
  double right = gain * std::min(1.0, 1.0 + v.pan);
  Oscillator osc(seed);
  Filters filters;
  for (long i = 0; i < count; ++i) {
    double t = static_cast<double>(i) / out.rate;
    double x = osc.next(v, frequencyAt(v, t, base), out.rate);
    x = filters.apply(v, x, out.rate) * envelope(v, t);
    if (v.tremoloHz > 0.0)
      x *= 1.0 - v.tremoloDepth * (0.5 + 0.5 * std::sin(kTwoPi * v.tremoloHz * t));
    long frame = first + i;
    if (frame >= total) {
      if (!wrap) break;
      frame %= total;
    }
    if (frame < 0) continue;
    if (out.channels == 1) {
      out.samples[frame] += static_cast<float>(x * gain);
    } else {
      out.samples[frame * 2] += static_cast<float>(x * left);
      out.samples[frame * 2 + 1] += static_cast<float>(x * right);
    }
  }
}

}  // namespace

bool applyVoiceSetting(SynthVoice& voice, const std::string& key, const std::string& value,
                       std::string& error) {
  if (key == "wave") {
    if (parseWave(value, voice.wave)) return true;
    error = "unknown wave '" + value + "'";
    return false;
  }
  if (key == "sweep") {
    voice.linearSweep = value == "lin";
    if (value == "lin" || value == "exp") return true;
    error = "sweep is lin or exp, not '" + value + "'";
    return false;
  }
  double number = 0.0;
  if (!parseNumber(value, number)) {
    error = "'" + key + "' needs a number, not '" + value + "'";
    return false;
  }
  if (key == "repeat" || key == "seed") {
    if (key == "repeat") voice.repeat = std::clamp(static_cast<int>(number), 1, 256);
    if (key == "seed") voice.seed = static_cast<unsigned>(std::fabs(number));
    return true;
  }
  double* field = numberField(voice, key);
  if (!field) {
    error = "unknown setting '" + key + "'";
    return false;
  }
  *field = number;
  return true;
}

double voiceLength(const SynthVoice& voice) {
  return (voice.repeat - 1) * voice.every + voice.duration + std::max(voice.release, 0.0);
}

void renderVoice(const SynthVoice& voice, AudioBuffer& buffer, bool wrap) {
  if (voice.freq <= 0.0 || voice.duration < 0.0) return;
  double gain = voice.gain;
  for (int r = 0; r < voice.repeat; ++r) {
    double base = voice.freq * std::pow(2.0, voice.step * r / 12.0);
    renderOnce(voice, voice.start + r * voice.every, base, gain, buffer, wrap,
               voice.seed + static_cast<unsigned>(r) * 7919u);
    gain *= voice.fade;
  }
}

void normalise(AudioBuffer& buffer, double peak) {
  float loudest = 0.0f;
  for (float s : buffer.samples) loudest = std::max(loudest, std::fabs(s));
  if (loudest <= 0.0f) return;
  float scale = static_cast<float>(peak) / loudest;
  for (float& s : buffer.samples) s *= scale;
}
