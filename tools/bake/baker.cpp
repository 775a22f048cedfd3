#include "baker.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

#include "contact_sheet.h"
#include "expression.h"
#include "font_baker.h"
#include "lzss_packer.h"
#include "pink_mask.h"
#include "svg_renderer.h"
#include "text_file.h"

namespace bake {
namespace {

const char kInfoName[] = "info";

// Sets a transform field when the param names one; false otherwise.
bool setTransform(FrameTransform& t, const std::string& name, double value) {
  static const std::map<std::string, double FrameTransform::*> kFields = {
      {"angle", &FrameTransform::angle}, {"scale", &FrameTransform::scale},
      {"sx", &FrameTransform::sx},       {"sy", &FrameTransform::sy},
      {"dx", &FrameTransform::dx},       {"dy", &FrameTransform::dy}};
  auto found = kFields.find(name);
  if (found == kFields.end()) return false;
  t.*(found->second) = value;
  return true;
}

bool buildPicture(const ManifestObject& entry, const std::string& assetDir,
                  std::vector<DatObject>& objects, std::vector<RgbaImage>* previews,
                  std::string& error) {
  std::string svg;
  if (!readTextFile(assetDir + "/" + entry.source, svg)) {
    error = "cannot read " + entry.source;
    return false;
  }
  for (int frame = 0; frame < entry.count; ++frame) {
    RgbaImage image;
    if (!renderFrame(entry, svg, frame, image, error)) return false;
    const Bitmap16 bitmap = toMaskedBitmap16(image, entry.dither);
    const bool rle = entry.kind == ManifestObject::Rle;
    DatObject object = makeNamed(rle ? kTypeRle : kTypeBitmap, frameName(entry, frame));
    object.data = rle ? encodeRleSprite16(bitmap) : encodeBitmap16(bitmap);
    objects.push_back(object);
    if (previews) previews->push_back(previewOfBitmap(bitmap));
  }
  return true;
}

bool buildFont(const ManifestObject& entry, std::vector<DatObject>& objects,
               std::vector<RgbaImage>* previews, std::string& error) {
  BakedFont font;
  if (!bakeFont(entry.source, entry.pixelSize, entry.ranges, font, error)) return false;
  DatObject glyphs = makeNamed(kTypeFont, entry.name);
  glyphs.data = encodeColourFont(font.ranges);
  DatObject palette = makeNamed(kTypePalette, entry.name + "_PAL");
  palette.data = encodePalette(font.palette);
  objects.push_back(glyphs);
  objects.push_back(palette);
  if (previews) previews->push_back(previewOfFont(font));
  return true;
}

DatObject infoEntry(const ManifestDatafile& datafile, size_t entries) {
  // The game never hands out a datafile's last datafile by index; this one
  // only says what the file is.
  DatObject info = makeNamed(kTypeData, kInfoName);
  const std::string text = "Tidewell Quest " + datafile.name + ": " + std::to_string(entries) + " objects\n";
  info.data.assign(text.begin(), text.end());
  return info;
}

}  // namespace

bool writeFileAtomically(const std::string& path, const Bytes& bytes, std::string& error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(fs::path(path).parent_path(), ec);
  const std::string temporary = path + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) {
      error = "cannot write " + temporary;
      return false;
    }
  }
  fs::rename(temporary, path, ec);
  if (ec) error = "cannot rename " + temporary + ": " + ec.message();
  return !ec;
}

bool renderFrame(const ManifestObject& entry, const std::string& svgText, int frame, RgbaImage& image,
                 std::string& error) {
  std::map<std::string, double> vars = {{"i", frame}, {"n", entry.count}};
  std::map<std::string, double> substitutions;
  FrameTransform transform;
  for (const auto& param : entry.params) {
    double value = 0;
    if (!evaluateExpression(param.second, vars, value, error)) {
      error = "line " + std::to_string(entry.line) + ": " + error;
      return false;
    }
    vars[param.first] = value;
    if (!setTransform(transform, param.first, value)) substitutions[param.first] = value;
  }
  const std::string svg = substituteParameters(svgText, substitutions, error);
  if (!error.empty()) {
    error = entry.source + ": " + error;
    return false;
  }
  image = renderSvg(svg, entry.width, entry.height, transform, error);
  if (image.width == 0) error = entry.source + ": " + error;
  return image.width != 0;
}

bool buildObjects(const std::vector<ManifestObject>& entries, const std::string& assetDir,
                  std::vector<DatObject>& objects, std::vector<RgbaImage>* previews,
                  std::string& error) {
  for (const ManifestObject& entry : entries) {
    bool ok = true;
    if (entry.kind == ManifestObject::Font) {
      ok = buildFont(entry, objects, previews, error);
    } else if (entry.kind == ManifestObject::File) {
      DatObject nested = makeNamed(kTypeFile, entry.name);
      ok = buildObjects(entry.children, assetDir, nested.children, previews, error);
      objects.push_back(nested);
    } else {
      ok = buildPicture(entry, assetDir, objects, previews, error);
    }
    if (!ok) return false;
  }
  return true;
}

bool bakeDatafile(const ManifestDatafile& datafile, const BakeOptions& options, std::string& error) {
  if (datafile.pending) return true;
  std::vector<DatObject> objects;
  std::vector<RgbaImage> previews;
  std::vector<RgbaImage>* wanted = options.previewDir.empty() ? nullptr : &previews;
  if (!buildObjects(datafile.objects, options.assetDir, objects, wanted, error)) {
    error = datafile.name + ": " + error;
    return false;
  }
  objects.push_back(infoEntry(datafile, objects.size()));
  if (!writeFileAtomically(options.outputDir + "/" + datafile.name,
                           makePackfile(serialiseDatafile(objects)), error))
    return false;
  if (wanted) {
    std::string sheet = datafile.name;
    for (char& c : sheet)
      if (c == '/') c = '_';
    writeContactSheet(previews, options.previewDir + "/" + sheet + ".png");
  }
  return true;
}

}  // namespace bake
