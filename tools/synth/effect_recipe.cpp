#include "synth/effect_recipe.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace {

const int kRateHz = 44100;
const double kDefaultPeak = 0.9;
// Effects are short; a longer recipe is surely a typo.
const double kMaxEffectSeconds = 10.0;
// Notes (voices times their repeats) an effect may layer; each renders up
// to ten seconds, so a runaway recipe stops here instead of rendering for
// hours. The game's effects use a handful.
const long kMaxNotes = 1024;

bool parseVoice(std::istringstream& words, SynthVoice& voice, std::string& error) {
  std::string word, key, value;
  while (words >> word) {
    if (!splitSetting(word, key, value)) {
      error = "expected key=value, got '" + word + "'";
      return false;
    }
    if (!applyVoiceSetting(voice, key, value, error)) return false;
  }
  return true;
}

bool parseLine(const std::string& line, std::vector<SynthVoice>& voices, double& peak,
               std::string& error) {
  std::istringstream words(line.substr(0, line.find('#')));
  std::string command;
  if (!(words >> command)) return true;
  if (command == "voice") {
    SynthVoice voice;
    if (!parseVoice(words, voice, error)) return false;
    long notes = voice.repeat;
    for (const SynthVoice& other : voices) notes += other.repeat;
    if (notes > kMaxNotes) {
      error = "more than " + std::to_string(kMaxNotes) + " notes";
      return false;
    }
    voices.push_back(voice);
    return true;
  }
  if (command == "peak") {
    if (words >> peak && peak > 0.0 && peak <= 1.0) return true;
    error = "peak needs a number in (0, 1]";
    return false;
  }
  error = "unknown command '" + command + "'";
  return false;
}

}  // namespace

bool splitSetting(const std::string& word, std::string& key, std::string& value) {
  size_t equals = word.find('=');
  if (equals == std::string::npos || equals == 0) return false;
  key = word.substr(0, equals);
  value = word.substr(equals + 1);
  return true;
}

bool renderEffect(const std::string& text, AudioBuffer& out, std::string& error) {
  std::vector<SynthVoice> voices;
  double peak = kDefaultPeak;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (parseLine(line, voices, peak, error)) continue;
    error = "line " + std::to_string(number) + ": " + error;
    return false;
  }
  double length = 0.0;
  for (const SynthVoice& voice : voices) length = std::max(length, voice.start + voiceLength(voice));
  if (voices.empty() || length <= 0.0 || length > kMaxEffectSeconds) {
    error = "an effect needs voices lasting between 0 and 10 seconds";
    return false;
  }
  out.rate = kRateHz;
  out.channels = 1;
  out.samples.assign(static_cast<size_t>(std::ceil(length * kRateHz)), 0.0f);
  for (const SynthVoice& voice : voices) renderVoice(voice, out, false);
  normalise(out, peak);
  return true;
}
