#include <allegro.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "manifest.h"
#include "support/test_support.h"

using namespace bake;

namespace {

Manifest gameManifest() {
  Manifest manifest;
  std::string error;
  const std::string text = testsupport::readFile(testsupport::sourceDir() + "/assets/gfx/datafiles.txt");
  EXPECT_TRUE(parseManifest(text, manifest, error)) << error;
  return manifest;
}

std::vector<uint32_t> loadedTypes(const DATAFILE* dat) {
  std::vector<uint32_t> types;
  for (int i = 0; dat[i].type != DAT_END; ++i) types.push_back(uint32_t(dat[i].type));
  return types;
}

// Nested files must match their own object lists, all the way down.
void expectLayout(const DATAFILE* dat, const std::vector<ManifestObject>& entries, bool root,
                  const std::string& where) {
  ASSERT_EQ(loadedTypes(dat), entryTypes(entries, root)) << where;
  int index = 0;
  for (const ManifestObject& entry : entries) {
    if (entry.kind == ManifestObject::File)
      expectLayout(static_cast<DATAFILE*>(dat[index].dat), entry.children, false, where + "/" + entry.name);
    if (entry.kind == ManifestObject::Bitmap) {
      const BITMAP* first = static_cast<BITMAP*>(dat[index].dat);
      EXPECT_EQ(first->w, entry.width) << where << " " << entry.name;
      EXPECT_EQ(first->h, entry.height) << where << " " << entry.name;
    }
    index += entry.kind == ManifestObject::Font ? 2 : entry.kind == ManifestObject::File ? 1 : entry.count;
  }
}

// String literals in C++ text that name a datafile ("coin.dat",
// "dat/coin.dat"), with the dat/ folder dropped. A bare ".dat" is the tail
// of a computed name, and a sentence that ends in ".dat" is a message.
std::set<std::string> datafileLiterals(const std::string& code) {
  static const std::regex kLiteral(R"lit("((?:[^"\\\n]|\\.)*)")lit");
  static const std::regex kFileName(R"([A-Za-z0-9_./-]+)");
  std::set<std::string> names;
  for (std::sregex_iterator it(code.begin(), code.end(), kLiteral), end; it != end; ++it) {
    std::string text = (*it)[1];
    if (text.size() <= 4 || text.compare(text.size() - 4, 4, ".dat") != 0) continue;
    if (!std::regex_match(text, kFileName)) continue;
    if (text.rfind("dat/", 0) == 0) text = text.substr(4);
    names.insert(text);
  }
  return names;
}

}  // namespace

TEST(BakedDatafiles, EveryBakedFileLoadsWithTheEntriesTheManifestLists) {
  testsupport::initAllegroNoDisplay(16);
  const Manifest manifest = gameManifest();
  int baked = 0;
  for (const ManifestDatafile& datafile : manifest.datafiles) {
    if (datafile.pending) continue;
    DATAFILE* dat = load_datafile((testsupport::gameDir() + "/dat/" + datafile.name).c_str());
    ASSERT_NE(dat, nullptr) << datafile.name;
    expectLayout(dat, datafile.objects, true, datafile.name);
    const int last = int(loadedTypes(dat).size()) - 1;
    EXPECT_STREQ(get_datafile_property(&dat[last], DAT_ID('N', 'A', 'M', 'E')), "info") << datafile.name;
    unload_datafile(dat);
    ++baked;
  }
  EXPECT_GE(baked, 8);
}

TEST(BakedDatafiles, TheIndexesTheGameUsesAreHandedOut) {
  // The game's datafile handles never hand out the last entry, so the
  // highest index used must stay below the entry count minus one.
  const struct {
    const char* name;
    int highestIndex;
  } kUses[] = {{"font.dat", 1}, {"particles.dat", 2}, {"bubble.dat", 1}, {"coin.dat", 20},
               {"title.dat", 1}, {"logo.dat", 0},     {"menubg.dat", 0}, {"bg0.dat", 0}};
  const Manifest manifest = gameManifest();
  for (const auto& use : kUses) {
    const ManifestDatafile* datafile = manifest.find(use.name);
    ASSERT_NE(datafile, nullptr) << use.name;
    const int entries = int(entryTypes(datafile->objects, true).size());
    EXPECT_LT(use.highestIndex, entries - 1) << use.name;
  }
}

TEST(BakedDatafiles, DatafileLiteralsAreFoundWhereverTheyHide) {
  const std::string code =
      "open(\"coin.dat\"); name == \"dat/sentinel.dat\"; path = \"bg\" + n + \".dat\";\n"
      "log(\"say \\\"hi\\\" to lvl/levels.dat\"); profile = \"profiles/\" + p + \".dat\";\n"
      "char* notData = \"data.txt\"; x = \"lvl/levels.dat\";";
  EXPECT_EQ(datafileLiterals(code),
            (std::set<std::string>{"coin.dat", "sentinel.dat", "lvl/levels.dat"}));
}

TEST(BakedDatafiles, EveryDatafileTheGameNamesIsInTheManifest) {
  namespace fs = std::filesystem;
  const Manifest manifest = gameManifest();
  std::vector<std::string> missing;
  for (const auto& entry : fs::recursive_directory_iterator(testsupport::sourceDir() + "/src")) {
    const std::string ext = entry.path().extension();
    if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
    for (const std::string& name : datafileLiterals(testsupport::readFile(entry.path())))
      if (!manifest.find(name)) missing.push_back(name + " (" + entry.path().string() + ")");
  }
  EXPECT_TRUE(missing.empty()) << "not in assets/gfx/datafiles.txt: " << ::testing::PrintToString(missing);
}
