#include "flow/demo.h"

#include <allegro.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "flow/launch_options.h"

namespace {

const char* const kFormatWord = "tidewell-demo";
const int kFormatVersion = 1;
const char kCommentMark = ';';
const char kRepeatMark = '*';
const float kLongestPassS = 0.06666667f;  // the main loop's cap on one pass
const long kMaxPasses = 1000000;          // hours of play; more is a broken file
// The level clock stops at 599 s; a minute more covers the pauses it does
// not count (banners, help, the shop).
const double kLongestDemoS = 599.0 + 61.0;
const size_t kMaxDigits = 10;  // a count, level number or seed (up to 4294967295)

struct NamedKey {
  const char* name;
  int code;
};

const NamedKey kKeyNames[] = {
    {"ESC", KEY_ESC},           {"TAB", KEY_TAB},           {"ENTER", KEY_ENTER},
    {"SPACE", KEY_SPACE},       {"BACKSPACE", KEY_BACKSPACE}, {"LEFT", KEY_LEFT},
    {"RIGHT", KEY_RIGHT},       {"UP", KEY_UP},             {"DOWN", KEY_DOWN},
    {"LSHIFT", KEY_LSHIFT},     {"RSHIFT", KEY_RSHIFT},     {"LCONTROL", KEY_LCONTROL},
    {"RCONTROL", KEY_RCONTROL}, {"ALT", KEY_ALT},
};

std::string lineError(size_t index, const std::string& reason) {
  return "line " + std::to_string(index + 1) + ": " + reason;
}

bool allDigits(const std::string& text, size_t from, size_t to) {
  for (size_t i = from; i < to; ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}

// Plain digits only: no sign, no spaces, no other base.
bool readWholeLong(const std::string& text, long& value) {
  if (text.empty() || text.size() > kMaxDigits || !allDigits(text, 0, text.size())) return false;
  value = std::strtol(text.c_str(), nullptr, 10);
  return true;
}

// A decimal number as formatDemo writes it ("0.02", "1e-05"): digits with
// at most one point and an optional exponent; never hex, inf or nan.
bool isDecimal(const std::string& text) {
  size_t exponent = text.find_first_of("eE");
  std::string mantissa = text.substr(0, exponent);
  size_t point = mantissa.find('.');
  bool digits = mantissa.size() > (point == std::string::npos ? 0u : 1u);
  if (!digits || !allDigits(mantissa, 0, std::min(point, mantissa.size())) ||
      (point != std::string::npos && !allDigits(mantissa, point + 1, mantissa.size())))
    return false;
  if (exponent == std::string::npos) return true;
  size_t from = exponent + 1 + (exponent + 1 < text.size() && (text[exponent + 1] == '-' || text[exponent + 1] == '+'));
  return from < text.size() && allDigits(text, from, text.size());
}

// The shortest text that reads back as exactly this float.
std::string exactText(float value) {
  char text[32];
  for (int digits = 6; digits <= 9; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
    if (std::strtof(text, nullptr) == value) break;
  }
  return text;
}

bool readFrameTime(const std::string& token, float& dt, long& count) {
  size_t mark = token.find(kRepeatMark);
  std::string time = token.substr(0, mark);
  count = 1;
  if (mark != std::string::npos && (!readWholeLong(token.substr(mark + 1), count) || count < 1)) return false;
  if (!isDecimal(time)) return false;
  dt = std::strtof(time.c_str(), nullptr);
  return std::isfinite(dt) && dt >= 0.0f && dt <= kLongestPassS;
}

bool readKeyChange(const std::string& token, KeyChange& change) {
  if (token.size() < 2 || (token[0] != '+' && token[0] != '-')) return false;
  change.down = token[0] == '+';
  change.code = demoKeyCode(token.substr(1));
  return change.code > 0;
}

// One pass line, expanded into its passes.
bool readPassLine(const std::string& line, Demo& demo, double& playedS, std::string& reason) {
  std::istringstream in(line);
  std::string token;
  in >> token;
  DemoPass pass;
  long count = 0;
  if (!readFrameTime(token, pass.dt, count)) {
    reason = "expected a frame time of 0 to 1/15 s, with an optional *count: '" + token + "'";
    return false;
  }
  while (in >> token) {
    KeyChange change;
    if (!readKeyChange(token, change)) {
      reason = "expected +KEY or -KEY: '" + token + "'";
      return false;
    }
    pass.keys.push_back(change);
  }
  if (count > kMaxPasses - static_cast<long>(demo.passes.size())) {
    reason = "more than " + std::to_string(kMaxPasses) + " passes";
    return false;
  }
  playedS += static_cast<double>(pass.dt) * static_cast<double>(count);
  if (playedS > kLongestDemoS) {
    reason = "more than " + std::to_string(static_cast<int>(kLongestDemoS)) + " s of play";
    return false;
  }
  demo.passes.push_back(pass);
  pass.keys.clear();
  demo.passes.insert(demo.passes.end(), static_cast<size_t>(count - 1), pass);
  return true;
}

bool readHeader(const std::string& line, const char* word, long& value) {
  std::istringstream in(line);
  std::string first, number, rest;
  in >> first >> number;
  return first == word && !(in >> rest) && readWholeLong(number, value);
}

std::vector<std::string> contentLines(const std::string& text, std::vector<size_t>& numbers) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  for (size_t index = 0; std::getline(in, line); ++index) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos || line[0] == kCommentMark) continue;
    lines.push_back(line);
    numbers.push_back(index);
  }
  return lines;
}

// The optional "seed N" line after the level's; first is moved past it.
bool readSeedLine(const std::vector<std::string>& lines, const std::vector<size_t>& numbers, Demo& demo,
                  size_t& first, std::string& error) {
  std::string word;
  if (lines.size() <= first || !(std::istringstream(lines[first]) >> word) || word != "seed") return true;
  long value = 0;
  if (!readHeader(lines[first], "seed", value) || value < 0 || value > static_cast<long>(UINT_MAX)) {
    error = lineError(numbers[first], "expected 'seed N' with N 0-" + std::to_string(UINT_MAX));
    return false;
  }
  demo.seed = static_cast<unsigned>(value);
  first += 1;
  return true;
}

}  // namespace

bool parseDemo(const std::string& text, Demo& demo, std::string& error) {
  demo = Demo{};
  size_t nul = text.find('\0');
  if (nul != std::string::npos) {
    // The game never writes one; read on, it would cut its line short.
    error = lineError(static_cast<size_t>(std::count(text.begin(), text.begin() + nul, '\n')), "a NUL byte");
    return false;
  }
  std::vector<size_t> numbers;
  std::vector<std::string> lines = contentLines(text, numbers);
  long value = 0;
  if (lines.empty() || !readHeader(lines[0], kFormatWord, value) || value != kFormatVersion) {
    error = lineError(numbers.empty() ? 0 : numbers[0],
                      std::string("expected '") + kFormatWord + " " + std::to_string(kFormatVersion) + "'");
    return false;
  }
  if (lines.size() < 2 || !readHeader(lines[1], "level", value) || !isPlayableLevel(value)) {
    error = lineError(numbers.size() < 2 ? numbers[0] + 1 : numbers[1],
                      "expected 'level N' with N 0-49 or 1000-1003");
    return false;
  }
  demo.level = static_cast<int>(value);
  size_t first = 2;
  if (!readSeedLine(lines, numbers, demo, first, error)) return false;
  double playedS = 0.0;
  for (size_t i = first; i < lines.size(); ++i) {
    std::string reason;
    if (!readPassLine(lines[i], demo, playedS, reason)) {
      error = lineError(numbers[i], reason);
      return false;
    }
  }
  return true;
}

std::string formatDemo(const Demo& demo) {
  std::ostringstream out;
  out << kFormatWord << ' ' << kFormatVersion << "\nlevel " << demo.level << '\n';
  if (demo.seed) out << "seed " << *demo.seed << '\n';
  const std::vector<DemoPass>& passes = demo.passes;
  for (size_t i = 0; i < passes.size();) {
    size_t end = i + 1;
    while (end < passes.size() && passes[end].keys.empty() && passes[end].dt == passes[i].dt) ++end;
    out << exactText(passes[i].dt);
    if (end - i > 1) out << kRepeatMark << end - i;
    for (const KeyChange& change : passes[i].keys) out << ' ' << (change.down ? '+' : '-') << demoKeyName(change.code);
    out << '\n';
    i = end;
  }
  return out.str();
}

std::string demoKeyName(int code) {
  if (code >= KEY_A && code <= KEY_Z) return std::string(1, static_cast<char>('A' + code - KEY_A));
  if (code >= KEY_0 && code <= KEY_9) return std::string(1, static_cast<char>('0' + code - KEY_0));
  if (code >= KEY_F1 && code <= KEY_F12) return "F" + std::to_string(code - KEY_F1 + 1);
  for (const NamedKey& named : kKeyNames)
    if (named.code == code) return named.name;
  return std::to_string(code);
}

int demoKeyCode(const std::string& name) {
  long number = 0;
  if (readWholeLong(name, number) && name.size() > 1) return number > 0 && number < KEY_MAX ? static_cast<int>(number) : -1;
  for (int code = 1; code < KEY_MAX; ++code)
    if (demoKeyName(code) == name) return code;
  return -1;
}
