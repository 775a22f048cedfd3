#include "route.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "flow/demo.h"
#include "flow/launch_options.h"

namespace {

const char* const kFormatWord = "tidewell-route";
const int kFormatVersion = 1;
const char kCommentMark = ';';
const float kLongestStepS = 600.0f;  // the level clock's cap
const float kLevelColumns = 300.0f, kLevelRows = 150.0f;  // the largest level, in cells
const size_t kMaxNumberChars = 12;

// Digits with at most one point: what a designer writes, never a sign,
// an exponent, hex, inf or nan.
bool readNumber(const std::string& token, float& value) {
  size_t point = token.find('.');
  if (token.empty() || token.size() > kMaxNumberChars || token == "." || token.find('.', point + 1) != std::string::npos)
    return false;
  for (char c : token)
    if (c != '.' && (c < '0' || c > '9')) return false;
  value = std::strtof(token.c_str(), nullptr);
  return true;
}

bool readSeconds(std::istringstream& words, float& seconds) {
  std::string token;
  words >> token;
  return readNumber(token, seconds) && seconds > 0.0f && seconds <= kLongestStepS;
}

bool readKeys(const std::string& token, std::vector<int>& keys) {
  // Every name between the pluses must be a key: "UP+" is a typing error.
  for (size_t from = 0;;) {
    size_t plus = token.find('+', from);
    int code = demoKeyCode(token.substr(from, plus == std::string::npos ? std::string::npos : plus - from));
    if (code <= 0) return false;
    keys.push_back(code);
    if (plus == std::string::npos) return true;
    from = plus + 1;
  }
}

// One step's words after its verb; false with the reason.
bool readStep(const std::string& verb, std::istringstream& words, RouteStep& step, std::string& reason) {
  std::string a, b;
  if (verb == "go") {
    step.kind = RouteStep::kGo;
    words >> a >> b;
    if (!readNumber(a, step.x) || (!b.empty() && !readNumber(b, step.y)))
      return reason = "go needs a column and a row", false;
    if (b.empty()) step.y = -1.0f;
    if (step.x >= kLevelColumns || step.y >= kLevelRows) return reason = "go leads outside the level", false;
  } else if (verb == "hold") {
    step.kind = RouteStep::kHold;
    words >> a;
    if (!readKeys(a, step.keys)) return reason = "hold needs keys like UP+RIGHT", false;
    if (!readSeconds(words, step.seconds)) return reason = "hold needs seconds", false;
  } else if (verb == "wait" || verb == "end") {
    step.kind = verb == "wait" ? RouteStep::kWait : RouteStep::kEnd;
    if (!readSeconds(words, step.seconds)) return reason = verb + " needs seconds", false;
  } else if (verb == "fire") {
    step.kind = RouteStep::kFire;
    words >> a;
    if (a == "left") step.facing = -1;
    else if (a == "right") step.facing = 1;
    else if (!a.empty()) return reason = "fire faces left or right", false;
  } else {
    return reason = "unknown step \"" + verb + "\"", false;
  }
  if (words >> a) return reason = "too many words", false;
  return true;
}

bool readHeader(std::istringstream& words, const std::string& verb, Route& route, bool& haveLevel,
                std::string& reason) {
  std::string value;
  words >> value;
  bool whole = !value.empty() && value.size() <= kMaxNumberChars &&
               std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
  long number = whole ? std::strtol(value.c_str(), nullptr, 10) : -1;
  if (verb == kFormatWord) {
    if (!whole || number != kFormatVersion) return reason = "unknown route version", false;
    return true;
  }
  if (!whole || !isPlayableLevel(number)) return reason = "level needs a level number", false;
  route.level = static_cast<int>(number);
  haveLevel = true;
  return true;
}

}  // namespace

bool parseRoute(const std::string& text, Route& route, std::string& error) {
  route = Route{};
  size_t nul = text.find('\0');
  if (nul != std::string::npos) {
    error = "line " + std::to_string(std::count(text.begin(), text.begin() + nul, '\n') + 1) + ": a NUL byte";
    return false;
  }
  std::istringstream lines(text);
  std::string line;
  bool haveVersion = false, haveLevel = false;
  for (int number = 1; std::getline(lines, line); ++number) {
    line = line.substr(0, line.find(kCommentMark));
    std::istringstream words(line);
    std::string verb, reason;
    if (!(words >> verb)) continue;
    bool ok;
    if (verb == kFormatWord || verb == "level") {
      ok = readHeader(words, verb, route, haveLevel, reason);
      haveVersion = haveVersion || verb == kFormatWord;
    } else if (!haveVersion || !haveLevel) {
      ok = false;
      reason = "a route starts with \"tidewell-route 1\" and \"level N\"";
    } else {
      RouteStep step;
      step.line = number;
      step.text = line.substr(line.find_first_not_of(" \t"));
      step.text = step.text.substr(0, step.text.find_last_not_of(" \t\r") + 1);
      ok = readStep(verb, words, step, reason);
      if (ok) route.steps.push_back(step);
    }
    if (!ok) {
      error = "line " + std::to_string(number) + ": " + reason;
      return false;
    }
  }
  if (!haveVersion || !haveLevel) {
    error = "line 1: a route starts with \"tidewell-route 1\" and \"level N\"";
    return false;
  }
  return true;
}
