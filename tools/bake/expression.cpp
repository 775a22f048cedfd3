#include "expression.h"

#include <cctype>
#include <cmath>
#include <string>
#include <vector>

namespace bake {
namespace {

const double kDegreesToRadians = 3.14159265358979323846 / 180.0;
// Brackets, signs and calls nested deeper than this are refused: each level
// is a recursion, and a runaway expression must not overflow the stack.
const int kMaxNesting = 64;

class Parser {
 public:
  Parser(const std::string& text, const std::map<std::string, double>& vars)
      : text_(text), vars_(vars) {}

  bool parse(double& result, std::string& error) {
    result = sum();
    skipSpace();
    if (error_.empty() && pos_ != text_.size()) fail("unexpected '" + text_.substr(pos_) + "'");
    error = error_;
    return error_.empty();
  }

 private:
  void fail(const std::string& message) {
    if (error_.empty()) error_ = message + " in \"" + text_ + "\"";
  }
  void skipSpace() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  }
  bool accept(char c) {
    skipSpace();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  double sum() {
    double value = product();
    while (error_.empty()) {
      if (accept('+')) value += product();
      else if (accept('-')) value -= product();
      else break;
    }
    return value;
  }

  double product() {
    double value = unary();
    while (error_.empty()) {
      if (accept('*')) value *= unary();
      else if (accept('/')) {
        double divisor = unary();
        if (divisor == 0.0) fail("division by zero");
        else value /= divisor;
      } else break;
    }
    return value;
  }

  double unary() {
    if (++depth_ > kMaxNesting) {
      fail("nested deeper than " + std::to_string(kMaxNesting) + " levels");
      --depth_;
      return 0;
    }
    double value = 0;
    if (accept('-')) value = -unary();
    else if (accept('+')) value = unary();
    else value = primary();
    --depth_;
    return value;
  }

  double primary() {
    skipSpace();
    if (pos_ >= text_.size()) {
      fail("unexpected end");
      return 0;
    }
    if (accept('(')) {
      double value = sum();
      if (!accept(')')) fail("missing ')'");
      return value;
    }
    char c = text_[pos_];
    if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') return number();
    if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') return name();
    fail(std::string("unexpected '") + c + "'");
    return 0;
  }

  double number() {
    size_t used = 0;
    double value = 0;
    try {
      value = std::stod(text_.substr(pos_), &used);
    } catch (...) {
      fail("bad number");
    }
    pos_ += used;
    return value;
  }

  std::string identifier() {
    size_t start = pos_;
    while (pos_ < text_.size() &&
           (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_'))
      ++pos_;
    return text_.substr(start, pos_ - start);
  }

  double name() {
    std::string id = identifier();
    if (accept('(')) return call(id);
    auto found = vars_.find(id);
    if (found == vars_.end()) {
      fail("unknown name '" + id + "'");
      return 0;
    }
    return found->second;
  }

  double call(const std::string& function) {
    std::vector<double> args;
    if (!accept(')')) {
      do args.push_back(sum());
      while (error_.empty() && accept(','));
      if (!accept(')')) fail("missing ')' after arguments of " + function);
    }
    if (!error_.empty()) return 0;
    return apply(function, args);
  }

  double apply(const std::string& function, const std::vector<double>& a) {
    struct Entry {
      const char* name;
      size_t arity;
    };
    static const Entry kFunctions[] = {{"sin", 1}, {"cos", 1},   {"abs", 1},
                                       {"min", 2}, {"max", 2},   {"floor", 1},
                                       {"clamp", 3}};
    for (const Entry& entry : kFunctions) {
      if (function != entry.name) continue;
      if (a.size() != entry.arity) {
        fail(function + " takes " + std::to_string(entry.arity) + " arguments");
        return 0;
      }
      if (function == "sin") return std::sin(a[0] * kDegreesToRadians);
      if (function == "cos") return std::cos(a[0] * kDegreesToRadians);
      if (function == "abs") return std::fabs(a[0]);
      if (function == "min") return std::min(a[0], a[1]);
      if (function == "max") return std::max(a[0], a[1]);
      if (function == "floor") return std::floor(a[0]);
      return std::min(std::max(a[0], a[1]), a[2]);
    }
    fail("unknown function '" + function + "'");
    return 0;
  }

  const std::string& text_;
  const std::map<std::string, double>& vars_;
  size_t pos_ = 0;
  int depth_ = 0;
  std::string error_;
};

}  // namespace

bool evaluateExpression(const std::string& text, const std::map<std::string, double>& vars,
                        double& result, std::string& error) {
  Parser parser(text, vars);
  return parser.parse(result, error);
}

}  // namespace bake
