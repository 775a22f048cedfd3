// Bakes one effect recipe (.sfx) or score (.score) into an Ogg Vorbis file:
//   synth <source> <output.ogg>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "synth/effect_recipe.h"
#include "synth/ogg_writer.h"
#include "synth/score.h"

namespace {

bool endsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Fixed per output name, so a rebuild writes identical bytes.
int serialFor(const std::string& path) {
  std::string name = path.substr(path.find_last_of('/') + 1);
  unsigned hash = 2166136261u;
  for (unsigned char c : name) hash = (hash ^ c) * 16777619u;
  return static_cast<int>(hash & 0x7fffffff);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: synth <recipe.sfx|tune.score> <output.ogg>\n");
    return 2;
  }
  std::string source = argv[1], output = argv[2];
  std::ifstream in(source);
  if (!in) {
    std::fprintf(stderr, "%s: cannot read\n", source.c_str());
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  AudioBuffer buffer;
  std::string error;
  bool rendered = endsWith(source, ".score") ? renderScore(text.str(), buffer, error)
                                             : renderEffect(text.str(), buffer, error);
  if (!rendered) {
    std::fprintf(stderr, "%s: %s\n", source.c_str(), error.c_str());
    return 1;
  }
  if (!writeOgg(buffer, output, serialFor(output))) {
    std::fprintf(stderr, "%s: cannot write\n", output.c_str());
    return 1;
  }
  return 0;
}
