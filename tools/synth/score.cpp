#include "synth/score.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>
#include <vector>

#include "synth/effect_recipe.h"

namespace {

const int kRateHz = 44100;
const int kStepsPerBar = 16;
const double kDefaultPeak = 0.85;
const double kDefaultLegato = 0.9;
const double kMaxTuneSeconds = 300.0;
// Patterns may insert patterns; deeper than this is a loop in the score.
const int kMaxPatternDepth = 8;
// Notes and rests a score may hold. Far past any tune of the game; a score
// past it (a runaway "@name*N" with tiny steps) stops instead of hanging.
const long kMaxEvents = 100000;
const long kMaxBars = 10000;
const int kMaxSteps = 1 << 16;  // one note's length in sixteenths

struct Instrument {
  SynthVoice voice;
  double legato = kDefaultLegato;
  bool fixedPitch = false;
  long cursor = 0;  // steps written so far
};

struct Score {
  double tempo = 120.0;
  bool loop = true;
  double peak = kDefaultPeak;
  long bars = 0;  // 0: as long as the longest track
  std::map<std::string, Instrument> instruments;
  std::map<std::string, std::vector<std::string>> patterns;
  std::vector<SynthVoice> notes;
  long events = 0;  // notes, chords and rests so far
  int lastSteps = 4;
};

double stepSeconds(const Score& score) { return 60.0 / score.tempo / 4.0; }

bool parseInstrument(std::istringstream& words, Score& score, std::string& error) {
  std::string name, word, key, value;
  if (!(words >> name)) {
    error = "instrument needs a name";
    return false;
  }
  Instrument instrument;
  while (words >> word) {
    if (!splitSetting(word, key, value)) {
      error = "expected key=value, got '" + word + "'";
      return false;
    }
    if (key == "legato") {
      instrument.legato = std::strtod(value.c_str(), nullptr);
      continue;
    }
    if (key == "freq") instrument.fixedPitch = true;
    if (!applyVoiceSetting(instrument.voice, key, value, error)) return false;
  }
  score.instruments[name] = instrument;
  return true;
}

bool addNote(Score& score, Instrument& instrument, const std::string& pitches, int steps,
             std::string& error) {
  if (++score.events > kMaxEvents) {
    error = "more than " + std::to_string(kMaxEvents) + " notes";
    return false;
  }
  double start = instrument.cursor * stepSeconds(score);
  instrument.cursor += steps;
  // Also stops nested pattern repeats from running for ever.
  if (start > kMaxTuneSeconds) {
    error = "the tune runs past 300 seconds";
    return false;
  }
  if (pitches == "r") return true;
  std::vector<double> frequencies;
  if (pitches == "x") {
    frequencies.push_back(instrument.voice.freq);
  } else {
    std::istringstream parts(pitches);
    std::string part;
    while (std::getline(parts, part, '+')) {
      double hz = 0.0;
      if (!pitchToFrequency(part, hz)) {
        error = "unreadable pitch '" + part + "'";
        return false;
      }
      frequencies.push_back(hz);
    }
  }
  for (double hz : frequencies) {
    SynthVoice note = instrument.voice;
    note.start = start;
    note.duration = steps * stepSeconds(score) * instrument.legato;
    if (!instrument.fixedPitch) {
      if (note.freqEnd > 0.0) note.freqEnd *= hz / note.freq;
      note.freq = hz;
    }
    score.notes.push_back(note);
  }
  return true;
}

bool addTokens(Score& score, Instrument& instrument, std::istringstream& words, int depth,
               std::string& error);

bool addToken(Score& score, Instrument& instrument, const std::string& token, int depth,
              std::string& error) {
  if (token == "|") return true;
  if (token[0] == '@') {
    size_t star = token.find('*');
    std::string name = token.substr(1, star == std::string::npos ? std::string::npos : star - 1);
    long times = star == std::string::npos ? 1 : std::strtol(token.c_str() + star + 1, nullptr, 10);
    auto found = score.patterns.find(name);
    if (found == score.patterns.end() || times < 1 || depth >= kMaxPatternDepth) {
      error = "bad pattern use '" + token + "'";
      return false;
    }
    for (long i = 0; i < times; ++i) {
      for (const std::string& inner : found->second)
        if (!addToken(score, instrument, inner, depth + 1, error)) return false;
    }
    return true;
  }
  size_t dot = token.find('.');
  if (dot != std::string::npos) {
    long steps = std::strtol(token.c_str() + dot + 1, nullptr, 10);
    score.lastSteps = steps > kMaxSteps ? 0 : static_cast<int>(steps);
  }
  if (score.lastSteps < 1) {
    error = "bad length in '" + token + "'";
    return false;
  }
  return addNote(score, instrument, token.substr(0, dot), score.lastSteps, error);
}

bool addTokens(Score& score, Instrument& instrument, std::istringstream& words, int depth,
               std::string& error) {
  std::string token;
  while (words >> token)
    if (!addToken(score, instrument, token, depth, error)) return false;
  return true;
}

bool parseLine(const std::string& line, Score& score, std::string& error) {
  std::istringstream words(line.substr(0, line.find('#')));
  std::string command, name, flag;
  if (!(words >> command)) return true;
  if (command == "tempo" || command == "peak") {
    double& number = command == "tempo" ? score.tempo : score.peak;
    if (words >> number && number > 0.0) return true;
    error = command + " needs a positive number";
    return false;
  }
  if (command == "bars") {
    if (words >> score.bars && score.bars > 0 && score.bars <= kMaxBars) return true;
    error = "bars needs a count from 1 to " + std::to_string(kMaxBars);
    return false;
  }
  if (command == "loop") {
    words >> flag;
    score.loop = flag != "no";
    return true;
  }
  if (command == "instrument") return parseInstrument(words, score, error);
  if (command == "pattern" && words >> name) {
    std::string token;
    while (words >> token) score.patterns[name].push_back(token);
    return true;
  }
  if (command == "play" && words >> name) {
    auto found = score.instruments.find(name);
    if (found != score.instruments.end()) return addTokens(score, found->second, words, 0, error);
    error = "unknown instrument '" + name + "'";
    return false;
  }
  error = "unknown or incomplete command '" + command + "'";
  return false;
}

double tuneSeconds(const Score& score) {
  long steps = 0;
  for (const auto& entry : score.instruments) steps = std::max(steps, entry.second.cursor);
  if (score.loop) steps = (steps + kStepsPerBar - 1) / kStepsPerBar * kStepsPerBar;
  if (score.bars > 0) steps = score.bars * kStepsPerBar;
  double seconds = steps * stepSeconds(score);
  if (!score.loop)
    for (const SynthVoice& note : score.notes) seconds = std::max(seconds, note.start + voiceLength(note));
  return seconds;
}

}  // namespace

bool pitchToFrequency(const std::string& name, double& hz) {
  static const std::map<char, int> kSemitones = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                                  {'G', 7}, {'A', 9}, {'B', 11}};
  if (name.size() < 2) return false;
  auto base = kSemitones.find(name[0]);
  if (base == kSemitones.end()) return false;
  int semitone = base->second;
  size_t at = 1;
  if (name[at] == '#') semitone += 1, ++at;
  else if (name[at] == 'b') semitone -= 1, ++at;
  if (at + 1 != name.size() || name[at] < '0' || name[at] > '8') return false;
  int midi = 12 * (name[at] - '0' + 1) + semitone;
  hz = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
  return true;
}

bool renderScore(const std::string& text, AudioBuffer& out, std::string& error) {
  Score score;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (parseLine(line, score, error)) continue;
    error = "line " + std::to_string(number) + ": " + error;
    return false;
  }
  double seconds = tuneSeconds(score);
  if (score.notes.empty() || seconds <= 0.0 || seconds > kMaxTuneSeconds) {
    error = "a tune needs notes lasting between 0 and 300 seconds";
    return false;
  }
  out.rate = kRateHz;
  out.channels = 2;
  out.samples.assign(static_cast<size_t>(std::lround(seconds * kRateHz)) * 2, 0.0f);
  for (const SynthVoice& note : score.notes) renderVoice(note, out, score.loop);
  normalise(out, score.peak);
  return true;
}
