#pragma once
#include <string>
#include <vector>

#include "datafile_writer.h"
#include "manifest.h"
#include "raster_image.h"

namespace bake {

struct BakeOptions {
  std::string assetDir;    // where the SVG sources live
  std::string outputDir;   // the game's dat/ folder
  std::string previewDir;  // when set, a contact sheet PNG per datafile goes here
};

// Renders frame `frame` of a picture object: evaluates its params with
// i = frame and n = count; angle, scale, sx, sy, dx, dy place the drawing,
// every other param replaces ${name} in the SVG text.
bool renderFrame(const ManifestObject& entry, const std::string& svgText, int frame, RgbaImage& image,
                 std::string& error);

// Builds the entries of an object list (recursing into nested files).
// Preview pictures of every frame are appended to `previews` when given.
bool buildObjects(const std::vector<ManifestObject>& entries, const std::string& assetDir,
                  std::vector<DatObject>& objects, std::vector<RgbaImage>* previews,
                  std::string& error);

// Writes bytes to path through a temporary file and a rename, so a failed
// bake never leaves a half-written file behind.
bool writeFileAtomically(const std::string& path, const Bytes& bytes, std::string& error);

// Bakes one datafile of the manifest into its compressed file, with the
// trailing info entry. Pending datafiles are skipped (returns true).
bool bakeDatafile(const ManifestDatafile& datafile, const BakeOptions& options, std::string& error);

}  // namespace bake
