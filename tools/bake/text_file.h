#pragma once
#include <string>

namespace bake {

// The whole file at path, byte for byte; false when it cannot be read.
bool readTextFile(const std::string& path, std::string& text);

}  // namespace bake
