#pragma once
#include <map>
#include <string>

namespace bake {

// Evaluates an arithmetic expression for per-frame sprite parameters:
// numbers, variables, + - * / with unary minus, parentheses and the
// functions sin, cos (degrees), abs, min, max, floor, clamp(v, lo, hi).
// Returns false and fills error for unknown names or bad syntax.
bool evaluateExpression(const std::string& text, const std::map<std::string, double>& vars,
                        double& result, std::string& error);

}  // namespace bake
