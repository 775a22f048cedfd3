// Shipped datafiles cut in half, zeroed or with bytes flipped are refused
// with a reason or load whole, and every object then loaded can be drawn.
// With TIDEWELL_DAMAGE_SWEEP=all it sweeps every shipped datafile and
// prints one line per case (scripts/damage_sweep.py reads them).
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/datafile_check.h"
#include "support/test_support.h"

namespace {

const int kFlippedBytes = 16;
const int kSeeds = 5;
// Small sprites, the font, the level pictures and a big screen picture.
const char* const kSomeFiles[] = {"coin.dat", "font.dat", "lvl/levels.dat", "title.dat"};

enum class Damage { Halved, Zeroed, Flipped };
const struct {
  Damage damage;
  const char* name;
} kDamages[] = {{Damage::Halved, "halved"}, {Damage::Zeroed, "zeroed"}, {Damage::Flipped, "flipped"}};

DatafileBytes readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return DatafileBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

DatafileBytes damaged(DatafileBytes file, Damage damage, unsigned seed) {
  switch (damage) {
    case Damage::Halved: file.resize(file.size() / 2); break;
    case Damage::Zeroed: std::fill(file.begin(), file.end(), 0); break;
    case Damage::Flipped: {
      // xorshift32, which scripts/damage_sweep.py repeats byte for byte.
      uint32_t state = seed;
      auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
      };
      for (int i = 0; i < kFlippedBytes; ++i) {
        size_t at = next() % file.size();
        file[at] ^= uint8_t(1 + next() % 255);
      }
      break;
    }
  }
  return file;
}

void drawEvery(const DATAFILE* entries, BITMAP* canvas) {
  for (const DATAFILE* entry = entries; entry->type != DAT_END; ++entry) {
    if (entry->type == DAT_BITMAP) draw_sprite(canvas, static_cast<BITMAP*>(entry->dat), -3, 2);
    if (entry->type == DAT_RLE_SPRITE) draw_rle_sprite(canvas, static_cast<RLE_SPRITE*>(entry->dat), 2, -3);
    if (entry->type == DAT_FONT) textout_ex(canvas, static_cast<FONT*>(entry->dat), "Gulpy 42!", 0, 0, -1, -1);
    if (entry->type == DAT_FILE) drawEvery(static_cast<DATAFILE*>(entry->dat), canvas);
  }
}

bool sweepAll() {
  const char* sweep = std::getenv("TIDEWELL_DAMAGE_SWEEP");
  return sweep && std::string(sweep) == "all";
}

std::vector<std::string> sweptFiles() {
  std::string dat = testsupport::gameDir() + "/dat/";
  if (!sweepAll()) return std::vector<std::string>(std::begin(kSomeFiles), std::end(kSomeFiles));
  std::vector<std::string> files;
  for (const auto& item : std::filesystem::recursive_directory_iterator(dat))
    if (item.path().extension() == ".dat") files.push_back(item.path().lexically_relative(dat).string());
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

TEST(DatafileDamage, HalvedZeroedOrFlippedFilesAreRefusedOrLoadWhole) {
  testsupport::initAllegroNoDisplay();
  BITMAP* canvas = create_bitmap(40, 30);
  for (const std::string& name : sweptFiles()) {
    DatafileBytes intact = readBytes(testsupport::gameDir() + "/dat/" + name);
    ASSERT_GT(intact.size(), 100u) << name;
    for (const auto& kind : kDamages) {
      for (unsigned seed = 1; seed <= kSeeds; ++seed) {
        DatafileBytes file = damaged(intact, kind.damage, seed);
        DatafileBytes plain;
        std::string reason;
        bool passed = checkDatafile(file.data(), file.size(), plain, reason);
        DATAFILE* loaded = passed ? loadCheckedBytes(plain) : nullptr;
        EXPECT_EQ(passed, loaded != nullptr) << name << " " << kind.name << " " << seed << ": passed but not loaded";
        EXPECT_TRUE(passed || !reason.empty());
        EXPECT_TRUE(kind.damage == Damage::Flipped || !passed) << name << " " << kind.name;
        if (loaded) {
          drawEvery(loaded, canvas);
          unload_datafile(loaded);
        }
        if (sweepAll())
          std::printf("sweep %s %s %u %s\n", name.c_str(), kind.name, seed,
                      passed ? "loaded" : ("refused: " + reason).c_str());
        if (kind.damage != Damage::Flipped) break;  // the same for every seed
      }
    }
  }
  destroy_bitmap(canvas);
}
