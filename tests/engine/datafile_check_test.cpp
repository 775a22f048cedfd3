#include "engine/datafile_check.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "lzss_packer.h"
#include "pink_mask.h"
#include "support/test_datafiles.h"
#include "support/test_support.h"

using bake::Bytes;
using bake::DatObject;
using testsupport::bitmapEntry;
using testsupport::dataEntry;
using testsupport::nestedEntry;

namespace {

Bytes unpackedFile(const std::vector<DatObject>& objects) {
  Bytes file{'s', 'l', 'h', '.'};
  Bytes plain = bake::serialiseDatafile(objects);
  file.insert(file.end(), plain.begin(), plain.end());
  return file;
}

bool passes(const Bytes& file, std::string* why = nullptr) {
  DatafileBytes plain;
  std::string reason;
  bool ok = checkDatafile(file.data(), file.size(), plain, reason);
  if (why) *why = reason;
  return ok;
}

DatObject object(uint32_t type, const Bytes& data) {
  DatObject entry = bake::makeNamed(type, "X");
  entry.data = data;
  return entry;
}

DatObject fontEntry() {
  bake::FontRange range{' ', {bake::Bitmap8{2, 3, Bytes(6, 1)}, bake::Bitmap8{1, 1, Bytes(1, 2)}}};
  return object(bake::kTypeFont, bake::encodeColourFont({range}));
}

// Each kind the baker writes, one nested datafile deep as well.
std::vector<DatObject> everyKind() {
  bake::Palette palette(256, bake::Rgb{255, 128, 4});
  return {bitmapEntry(3, 2, 255, 0, 0),
          object(bake::kTypeBitmap, bake::encodeBitmap24(2, 1, {{1, 2, 3}, {4, 5, 6}})),
          testsupport::halfMaskedBitmapEntry(5, 2, 0, 255, 0),
          testsupport::rleEntry(4, 3, 0, 0, 255),
          fontEntry(),
          object(bake::kTypePalette, bake::encodePalette(palette)),
          nestedEntry({bitmapEntry(2, 2, 0, 0, 255), dataEntry("inner")}),
          dataEntry("info")};
}

Bytes rleRuns(std::initializer_list<uint16_t> words, int width, int height) {
  Bytes out{0, 16, 0, uint8_t(width), 0, uint8_t(height), 0, 0, 0, uint8_t(words.size() * 2)};
  for (uint16_t word : words) {
    out.push_back(uint8_t(word));
    out.push_back(uint8_t(word >> 8));
  }
  return out;
}

Bytes withoutLast(Bytes bytes) {
  bytes.pop_back();
  return bytes;
}

}  // namespace

TEST(DatafileCheck, EveryKindTheBakerWritesPassesPackedOrNotAndLoadsAsChecked) {
  testsupport::initAllegroNoDisplay();
  for (const Bytes& file : {bake::makePackfile(bake::serialiseDatafile(everyKind())), unpackedFile(everyKind())}) {
    DatafileBytes plain;
    std::string reason;
    ASSERT_TRUE(checkDatafile(file.data(), file.size(), plain, reason)) << reason;
    EXPECT_EQ(plain, bake::serialiseDatafile(everyKind()));
    DATAFILE* loaded = loadCheckedBytes(plain);
    ASSERT_NE(loaded, nullptr);
    const int types[] = {DAT_BITMAP, DAT_BITMAP, DAT_BITMAP, DAT_RLE_SPRITE, DAT_FONT, DAT_PALETTE, DAT_FILE, DAT_DATA};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(loaded[i].type, types[i]) << i;
    EXPECT_EQ(loaded[8].type, DAT_END);
    EXPECT_EQ(static_cast<RLE_SPRITE*>(loaded[3].dat)->w, 4);
    BITMAP* canvas = create_bitmap(8, 8);
    clear_to_color(canvas, makecol(9, 9, 9));
    draw_sprite(canvas, static_cast<BITMAP*>(loaded[2].dat), 0, 0);
    EXPECT_EQ(getpixel(canvas, 0, 0), makecol(9, 9, 9));  // the masked half stays see-through
    EXPECT_EQ(getpixel(canvas, 4, 1), makecol(0, 255, 0));
    destroy_bitmap(canvas);
    unload_datafile(loaded);
  }
}

TEST(DatafileCheck, RefusesObjectsWhoseDeclaredSizesDisagreeWithTheirBytes) {
  Bytes bitmap = bake::encodeBitmap16({2, 2, std::vector<uint16_t>(4, 0x1234)});
  Bytes longBitmap = bitmap;
  longBitmap.push_back(0);
  Bytes font = fontEntry().data;
  Bytes palette = bake::encodePalette(bake::Palette(256));
  Bytes brightPalette = palette;
  brightPalette[5] = 64;
  struct Case {
    const char* what;
    DatObject entry;
  } cases[] = {
      {"bitmap a byte short", object(bake::kTypeBitmap, withoutLast(bitmap))},
      {"bitmap a byte long", object(bake::kTypeBitmap, longBitmap)},
      {"bitmap of depth 32", object(bake::kTypeBitmap, Bytes{0, 32, 0, 1, 0, 1, 1, 2, 3, 4})},
      {"bitmap without rows", object(bake::kTypeBitmap, Bytes{0, 16, 0, 9, 0, 0})},
      {"RLE row past the width", object(bake::kTypeRle, rleRuns({3, 1, 1, 1, 0xF81F}, 2, 1))},
      {"RLE skip past the width", object(bake::kTypeRle, rleRuns({uint16_t(-3), 0xF81F}, 2, 1))},
      {"RLE row short of the width", object(bake::kTypeRle, rleRuns({uint16_t(-1), 0xF81F}, 2, 1))},
      {"RLE row without its end", object(bake::kTypeRle, rleRuns({uint16_t(-2)}, 2, 1))},
      {"RLE runs beyond the object", object(bake::kTypeRle, withoutLast(rleRuns({uint16_t(-2), 0xF81F}, 2, 1)))},
      {"RLE rows missing", object(bake::kTypeRle, rleRuns({uint16_t(-2), 0xF81F}, 2, 2))},
      {"font glyph cut short", object(bake::kTypeFont, withoutLast(font))},
      {"font range backwards", object(bake::kTypeFont, Bytes{0, 0, 0, 1, 8, 0, 0, 0, 66, 0, 0, 0, 65, 0, 1, 0, 1, 7})},
      {"font of mono glyphs", object(bake::kTypeFont, Bytes{0, 0, 0, 1, 1, 0, 0, 0, 65, 0, 0, 0, 65, 0, 1, 0, 1, 7})},
      {"font of an old format", object(bake::kTypeFont, Bytes{0, 8, 0, 0})},
      {"palette short", object(bake::kTypePalette, withoutLast(palette))},
      {"palette channel above 63", object(bake::kTypePalette, brightPalette)},
      {"a type the game never ships", object(bake::datId('S', 'A', 'M', 'P'), Bytes(16, 0))},
  };
  ASSERT_TRUE(passes(unpackedFile({bitmapEntry(1, 1, 1, 1, 1), dataEntry("info")})));
  for (const Case& c : cases) {
    std::string why;
    EXPECT_FALSE(passes(unpackedFile({bitmapEntry(1, 1, 1, 1, 1), c.entry, dataEntry("info")}), &why)) << c.what;
    EXPECT_EQ(why.rfind("object 1", 0), 0u) << c.what << ": " << why;
  }
}

TEST(DatafileCheck, RefusesBrokenFramingPackingAndNesting) {
  Bytes good = bake::makePackfile(bake::serialiseDatafile(everyKind()));
  ASSERT_TRUE(passes(good));
  Bytes plain = unpackedFile({dataEntry("abcd")});
  ASSERT_TRUE(passes(plain));
  // Offsets in plain: "slh." 0, "ALL." 4, count 8, the name property 12
  // (its length at 20), type 28, stored size 32, unpacked size 36.
  // A nested datafile's own count follows at 40.
  Bytes nested = unpackedFile({nestedEntry({dataEntry("a")})});
  ASSERT_TRUE(passes(nested));
  auto changed = [](Bytes b, std::initializer_list<std::pair<size_t, uint8_t>> edits) {
    for (const auto& [at, value] : edits) b.at(at) = value;
    return b;
  };
  DatObject deep = dataEntry("core");
  for (int i = 0; i < 20; ++i) deep = nestedEntry({deep});
  Bytes trailing = plain;
  trailing.push_back(0);
  struct Case {
    const char* what;
    Bytes file;
  } cases[] = {
      {"empty file", {}},
      {"not a packfile", bake::serialiseDatafile({dataEntry("x")})},
      {"packfile of something else", changed(plain, {{4, 'B'}})},
      {"packed stream cut in half", Bytes(good.begin(), good.begin() + good.size() / 2)},
      {"more objects than bytes", changed(plain, {{11, 200}})},
      {"property longer than the file", changed(plain, {{23, 200}})},
      {"unknown object type", changed(plain, {{28, 'X'}})},
      {"sizes that disagree", changed(plain, {{35, 3}})},
      {"size beyond the end", changed(plain, {{35, 9}, {39, 9}})},
      {"a packed object", changed(plain, {{36, 0xFF}})},
      {"bytes after the last object", trailing},
      {"nested list longer than its bytes", changed(nested, {{43, 2}})},
      {"datafiles nested twenty deep", unpackedFile({deep})},
  };
  for (const Case& c : cases) {
    std::string why;
    EXPECT_FALSE(passes(c.file, &why)) << c.what;
    EXPECT_FALSE(why.empty()) << c.what;
  }
}

TEST(DatafileCheck, EveryShippedDatafilePassesAndLoads) {
  testsupport::initAllegroNoDisplay();
  int files = 0;
  for (const auto& item : std::filesystem::recursive_directory_iterator(testsupport::gameDir() + "/dat")) {
    if (item.path().extension() != ".dat") continue;
    std::string reason;
    DATAFILE* loaded = loadCheckedDatafile(item.path().string(), reason);
    EXPECT_NE(loaded, nullptr) << item.path() << ": " << reason;
    if (loaded) unload_datafile(loaded);
    ++files;
  }
  EXPECT_GT(files, 40);
}

namespace {

// Allegro's decoder as it reads: a ring of 4096 zeros written from 4078.
Bytes ringUnpack(const Bytes& in) {
  uint8_t ring[4096] = {};
  int written = 4096 - 18;
  Bytes out;
  auto emit = [&](uint8_t c) {
    out.push_back(c);
    ring[written] = c;
    written = (written + 1) & 4095;
  };
  size_t at = 0;
  for (unsigned flags = 0;;) {
    flags >>= 1;
    if (!(flags & 0x100)) {
      if (at == in.size()) break;
      flags = in[at++] | 0xFF00;
    }
    if (flags & 1) {
      if (at == in.size()) break;
      emit(in[at++]);
    } else {
      if (in.size() - at < 2) break;
      int position = in[at] | (in[at + 1] & 0xF0) << 4, length = (in[at + 1] & 0x0F) + 3;
      at += 2;
      for (int k = 0; k < length; ++k) emit(ring[(position + k) & 4095]);
    }
  }
  return out;
}

}  // namespace

// Matches that reach into the ring's zeros before anything was written,
// the slot about to be overwritten, overlapping runs and a stream cut
// in the middle of an item, besides what the packer writes.
TEST(DatafileCheck, UnpacksEveryLzssStreamAsAllegrosRingDoes) {
  std::vector<Bytes> streams = {bake::makePackfile(bake::serialiseDatafile(everyKind()))};
  streams.front().erase(streams.front().begin(), streams.front().begin() + 4);  // the "slh!"
  uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, uint8_t(seed >> 16); };
  for (int s = 0; s < 200; ++s) {
    Bytes stream(size_t(1 + next() * 40 + next()));
    // Mostly matches, some literals, positions near where writing begins.
    for (size_t i = 0; i < stream.size(); ++i) stream[i] = i % 17 == 0 ? uint8_t(next() & 0x55) : next();
    streams.push_back(stream);
  }
  for (size_t i = 0; i < streams.size(); ++i) {
    DatafileBytes out = {1, 2, 3};
    std::string reason;
    ASSERT_TRUE(unpackLzss(streams[i].data(), streams[i].size(), out, reason)) << reason;
    EXPECT_EQ(out, ringUnpack(streams[i])) << "stream " << i;
  }
}
