#include "manifest.h"

#include <cstdio>
#include <sstream>

namespace bake {
namespace {

const int kMaxFrames = 999;
const int kMaxPictureSide = 2048;
const int kMaxFontPixels = 200;

struct LineReader {
  int number = 0;
  std::string error;
  bool fail(const std::string& message) {
    error = "line " + std::to_string(number) + ": " + message;
    return false;
  }
};

bool parseSize(const std::string& text, int& width, int& height) {
  char x = 0;
  std::istringstream in(text);
  if (!(in >> width >> x >> height) || x != 'x') return false;
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

bool parseRange(const std::string& text, GlyphRange& range) {
  char dash = 0;
  std::istringstream in(text);
  if (!(in >> range.first >> dash >> range.last) || dash != '-') return false;
  return range.first >= 0 && range.first <= range.last && range.last <= 0x10FFFF;
}

bool parsePicture(std::istringstream& in, ManifestObject& entry, LineReader& reader) {
  std::string size, option;
  if (!(in >> entry.name >> entry.count >> entry.source >> size))
    return reader.fail("expected: NAME COUNT SOURCE WIDTHxHEIGHT");
  if (entry.count < 1 || entry.count > kMaxFrames) return reader.fail("bad frame count");
  if (!parseSize(size, entry.width, entry.height)) return reader.fail("bad size '" + size + "'");
  while (in >> option) {
    if (option != "dither") return reader.fail("unknown option '" + option + "'");
    entry.dither = true;
  }
  return true;
}

bool parseFont(std::istringstream& in, ManifestObject& entry, LineReader& reader) {
  if (!(in >> entry.name >> entry.source >> entry.pixelSize) || entry.pixelSize < 4 ||
      entry.pixelSize > kMaxFontPixels)
    return reader.fail("expected: font NAME FILE PIXELSIZE RANGE...");
  std::string text;
  while (in >> text) {
    GlyphRange range;
    if (!parseRange(text, range)) return reader.fail("bad glyph range '" + text + "'");
    if (!entry.ranges.empty() && range.first <= entry.ranges.back().last)
      return reader.fail("glyph ranges must ascend without overlap");
    entry.ranges.push_back(range);
  }
  if (entry.ranges.empty()) return reader.fail("a font needs at least one glyph range");
  return true;
}

bool parseParam(std::istringstream& in, ManifestObject* target, LineReader& reader) {
  if (!target || (target->kind != ManifestObject::Bitmap && target->kind != ManifestObject::Rle))
    return reader.fail("param outside a picture");
  std::string name, equals, expression;
  if (!(in >> name >> equals) || equals != "=") return reader.fail("expected: param NAME = EXPR");
  std::getline(in, expression);
  if (expression.find_first_not_of(" \t") == std::string::npos)
    return reader.fail("empty expression");
  target->params.emplace_back(name, expression);
  return true;
}

class ManifestParser {
 public:
  explicit ManifestParser(Manifest& manifest) : manifest_(manifest) {}

  bool line(const std::string& text) {
    ++reader_.number;
    std::istringstream in(text.substr(0, text.find('#')));
    std::string word;
    if (!(in >> word)) return true;
    if (word == "datafile") return datafile(in);
    if (word == "param") return parseParam(in, lastPicture_, reader_);
    if (!current_) return reader_.fail("'" + word + "' before the first datafile");
    if (word == "end") return endFile();
    ManifestObject entry;
    entry.line = reader_.number;
    bool ok = true;
    if (word == "bitmap" || word == "rle") {
      entry.kind = word == "rle" ? ManifestObject::Rle : ManifestObject::Bitmap;
      ok = parsePicture(in, entry, reader_);
    } else if (word == "font") {
      entry.kind = ManifestObject::Font;
      ok = parseFont(in, entry, reader_);
    } else if (word == "file") {
      entry.kind = ManifestObject::File;
      ok = static_cast<bool>(in >> entry.name) || reader_.fail("expected: file NAME");
    } else {
      return reader_.fail("unknown word '" + word + "'");
    }
    if (!ok) return false;
    return add(entry);
  }

  bool finish() {
    if (openFiles_.empty()) return true;
    reader_.number = openFiles_.back()->line;
    return reader_.fail("file '" + openFiles_.back()->name + "' has no 'end'");
  }

  const std::string& error() const { return reader_.error; }

 private:
  bool datafile(std::istringstream& in) {
    if (!finish()) return false;
    ManifestDatafile entry;
    entry.line = reader_.number;
    std::string flag;
    if (!(in >> entry.name)) return reader_.fail("expected: datafile NAME [pending]");
    if (in >> flag && flag != "pending") return reader_.fail("unknown flag '" + flag + "'");
    entry.pending = flag == "pending";
    if (manifest_.find(entry.name)) return reader_.fail("datafile '" + entry.name + "' listed twice");
    manifest_.datafiles.push_back(entry);
    current_ = &manifest_.datafiles.back();
    lastPicture_ = nullptr;
    return true;
  }

  std::vector<ManifestObject>& container() {
    return openFiles_.empty() ? current_->objects : openFiles_.back()->children;
  }

  bool add(const ManifestObject& entry) {
    if (current_->pending) return reader_.fail("a pending datafile lists no objects");
    std::vector<ManifestObject>& list = container();
    list.push_back(entry);
    ManifestObject* added = &list.back();
    lastPicture_ = added;
    if (entry.kind == ManifestObject::File) openFiles_.push_back(added);
    return true;
  }

  bool endFile() {
    if (openFiles_.empty()) return reader_.fail("'end' without 'file'");
    if (openFiles_.back()->children.empty()) return reader_.fail("empty nested file");
    openFiles_.pop_back();
    lastPicture_ = nullptr;
    return true;
  }

  Manifest& manifest_;
  LineReader reader_;
  ManifestDatafile* current_ = nullptr;
  ManifestObject* lastPicture_ = nullptr;
  std::vector<ManifestObject*> openFiles_;  // stable: a file's children grow only after it is closed
};

}  // namespace

const ManifestDatafile* Manifest::find(const std::string& name) const {
  for (const ManifestDatafile& entry : datafiles)
    if (entry.name == name) return &entry;
  return nullptr;
}

bool parseManifest(const std::string& text, Manifest& manifest, std::string& error) {
  manifest = Manifest();
  ManifestParser parser(manifest);
  std::istringstream in(text);
  std::string line;
  bool ok = true;
  while (ok && std::getline(in, line)) ok = parser.line(line);
  if (ok) ok = parser.finish();
  error = parser.error();
  return ok;
}

std::vector<uint32_t> entryTypes(const std::vector<ManifestObject>& objects, bool root) {
  std::vector<uint32_t> types;
  for (const ManifestObject& entry : objects) {
    switch (entry.kind) {
      case ManifestObject::Bitmap: types.insert(types.end(), entry.count, kTypeBitmap); break;
      case ManifestObject::Rle: types.insert(types.end(), entry.count, kTypeRle); break;
      case ManifestObject::Font:
        types.push_back(kTypeFont);
        types.push_back(kTypePalette);
        break;
      case ManifestObject::File: types.push_back(kTypeFile); break;
    }
  }
  if (root) types.push_back(kTypeData);
  return types;
}

std::string frameName(const ManifestObject& entry, int frame) {
  if (entry.count == 1) return entry.name;
  char suffix[8];
  std::snprintf(suffix, sizeof suffix, "_%02d", frame);
  return entry.name + suffix;
}

}  // namespace bake
