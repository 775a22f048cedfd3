#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace bake {

constexpr uint32_t datId(char a, char b, char c, char d) {
  return (uint32_t(uint8_t(a)) << 24) | (uint32_t(uint8_t(b)) << 16) |
         (uint32_t(uint8_t(c)) << 8) | uint32_t(uint8_t(d));
}
constexpr uint32_t kTypeFile = datId('F', 'I', 'L', 'E');
constexpr uint32_t kTypeData = datId('D', 'A', 'T', 'A');
constexpr uint32_t kTypeBitmap = datId('B', 'M', 'P', ' ');
constexpr uint32_t kTypeRle = datId('R', 'L', 'E', ' ');
constexpr uint32_t kTypeFont = datId('F', 'O', 'N', 'T');
constexpr uint32_t kTypePalette = datId('P', 'A', 'L', ' ');

struct GlyphRange {
  int first = 0;
  int last = 0;  // inclusive
};

// One line of a datafile's object list. Pictures expand to `count` frames
// (NAME_00, NAME_01 ...), a font to two objects (the font and its palette),
// a file to one nested datafile holding `children`.
struct ManifestObject {
  enum Kind { Bitmap, Rle, Font, File };
  Kind kind = Bitmap;
  std::string name;
  int line = 0;
  // Pictures.
  int count = 1;
  std::string source;
  int width = 0;
  int height = 0;
  bool dither = false;
  std::vector<std::pair<std::string, std::string>> params;  // name = expression
  // Fonts.
  int pixelSize = 0;
  std::vector<GlyphRange> ranges;
  // Nested datafiles.
  std::vector<ManifestObject> children;
};

struct ManifestDatafile {
  std::string name;  // as the game opens it, relative to dat/
  bool pending = false;  // opened by the game but baked by a later tool
  int line = 0;
  std::vector<ManifestObject> objects;
};

struct Manifest {
  std::vector<ManifestDatafile> datafiles;
  const ManifestDatafile* find(const std::string& name) const;
};

// Parses the manifest text; on failure error names the line and the fault.
bool parseManifest(const std::string& text, Manifest& manifest, std::string& error);

// Type ids of the entries a list of objects expands to, in order. A root
// datafile also gets its trailing info entry (DATA).
std::vector<uint32_t> entryTypes(const std::vector<ManifestObject>& objects, bool root);

// Name of frame i of a picture object ("COIN_07"; a single frame keeps NAME).
std::string frameName(const ManifestObject& entry, int frame);

}  // namespace bake
