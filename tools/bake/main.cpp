// tidewell-bake: bakes the pictures and the font listed in the datafile
// manifest into Allegro datafiles.
//
//   tidewell-bake MANIFEST ASSET_DIR OUTPUT_DIR [--preview DIR] [--stamp FILE]
#include <cstdio>
#include <fstream>
#include <string>

#include "baker.h"
#include "manifest.h"
#include "text_file.h"

namespace {

int usage() {
  std::fprintf(stderr, "usage: tidewell-bake MANIFEST ASSET_DIR OUTPUT_DIR [--preview DIR] [--stamp FILE]\n");
  return 2;
}

bool readManifest(const std::string& path, bake::Manifest& manifest) {
  std::string text, error;
  bool read = bake::readTextFile(path, text);
  if (!read || !bake::parseManifest(text, manifest, error)) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), read ? error.c_str() : "cannot read");
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return usage();
  bake::BakeOptions options;
  options.assetDir = argv[2];
  options.outputDir = argv[3];
  std::string stamp;
  for (int i = 4; i + 1 < argc; i += 2) {
    const std::string flag = argv[i];
    if (flag == "--preview") options.previewDir = argv[i + 1];
    else if (flag == "--stamp") stamp = argv[i + 1];
    else return usage();
  }
  if ((argc - 4) % 2 != 0) return usage();
  bake::Manifest manifest;
  if (!readManifest(argv[1], manifest)) return 1;
  for (const bake::ManifestDatafile& datafile : manifest.datafiles) {
    std::string error;
    if (!bake::bakeDatafile(datafile, options, error)) {
      std::fprintf(stderr, "tidewell-bake: %s\n", error.c_str());
      return 1;
    }
  }
  if (!stamp.empty()) std::ofstream(stamp) << "baked\n";
  return 0;
}
