// tidewell-bake: bakes the pictures and the font listed in the datafile
// manifest into Allegro datafiles.
//
//   tidewell-bake MANIFEST ASSET_DIR OUTPUT_DIR [--preview DIR] [--stamp FILE]
//   tidewell-bake --icon SVG SIZE OUTPUT.png    (the desktop icon at one size)
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "baker.h"
#include "contact_sheet.h"
#include "manifest.h"
#include "svg_renderer.h"
#include "text_file.h"

namespace {

const int kMaxIconPx = 1024;

int usage() {
  std::fprintf(stderr,
               "usage: tidewell-bake MANIFEST ASSET_DIR OUTPUT_DIR [--preview DIR] [--stamp FILE]\n"
               "       tidewell-bake --icon SVG SIZE OUTPUT.png\n");
  return 2;
}

int renderIcon(const std::string& svgPath, const std::string& sizeText, const std::string& output) {
  int size = std::atoi(sizeText.c_str());
  if (size <= 0 || size > kMaxIconPx) return usage();
  std::string svg, error;
  if (!bake::readTextFile(svgPath, svg)) {
    std::fprintf(stderr, "%s: cannot read\n", svgPath.c_str());
    return 1;
  }
  bake::RgbaImage image = bake::renderSvg(svg, size, size, bake::FrameTransform{}, error);
  if (image.width == 0 || !bake::writePng(image, output)) {
    std::fprintf(stderr, "tidewell-bake: %s: %s\n", svgPath.c_str(), error.empty() ? "cannot write" : error.c_str());
    return 1;
  }
  return 0;
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
  if (argc == 5 && std::string(argv[1]) == "--icon") return renderIcon(argv[2], argv[3], argv[4]);
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
