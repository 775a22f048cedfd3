// Every effect and tune the game plays is baked, readable and fit for use.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <vector>

#include "sound/ogg_decoder.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace {

// Effects the game plays by name (some through tables and fields rather
// than literal calls, so the source scan below cannot find them all).
const char* const kGameEffects[] = {
    "bubble",        "bubblehit",       "pop",           "treasure",       "refill",
    "cannon",        "levelcomplete",   "boing",         "ow",             "anglerseesyou",
    "eelcharge",     "seagull",         "levlaser",      "levow",          "levdie",
    "sharkgulp",     "sharkbite",       "squidshoot",    "bigseagull-hit", "swordfish_laugh",
    "swordclash",    "swordclash2",     "swordfish_hit", "swordfish_lose", "beat",
    "dancesong",     "dancesong2",      "dancesong3",    "danceleft",      "danceright",
    "danceup",       "dancedown"};

// Tunes the levels choose between (by level range, ride, chase and boss).
const char* const kLevelTunes[] = {"underwater", "piratelevel", "underwatercity",
                                   "heroics",    "shark",       "boss",
                                   "squidbattle", "rayblues",   "montyrag"};
const int kFullScale = 32767;

struct Decoded {
  double seconds = 0.0;
  int loudest = 0;  // distance from silence, 0–32768
};

Decoded decode(const std::string& path) {
  Decoded result;
  OggDecoder decoder;
  if (!decoder.open(path)) return result;
  std::vector<unsigned short> chunk(4096 * decoder.channels());
  long frames = 0;
  int got = 0;
  while ((got = decoder.read(chunk.data(), 4096)) > 0) {
    frames += got;
    for (int i = 0; i < got * decoder.channels(); ++i)
      result.loudest = std::max(result.loudest, std::abs(static_cast<int>(chunk[i]) - 32768));
  }
  result.seconds = static_cast<double>(frames) / decoder.rate();
  return result;
}

// Effects: string literals passed first to a playSample…/playSound… call
// or stored in a …Sound field; music: any "mus/….ogg" literal.
const std::regex kEffectUse(R"re((?:play(?:Sample|Sound)\w*\s*\(\s*|[sS]ound\w*\s*=\s*)"([^"/]+)")re");
const std::regex kMusicUse(R"re("(mus/[^"]+\.ogg)")re");

void collect(const std::string& text, const std::regex& pattern, std::set<std::string>& found) {
  for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it)
    found.insert((*it)[1].str());
}

// Names and paths the game's source passes to the sound manager.
std::set<std::string> soundsNamedInSource(const std::regex& pattern) {
  std::set<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(testsupport::sourceDir() + "/src")) {
    std::string ext = entry.path().extension().string();
    if (ext == ".cpp" || ext == ".h") collect(testsupport::readFile(entry.path().string()), pattern, found);
  }
  return found;
}

}  // namespace

TEST(BakedSounds, EveryGameEffectIsShortAudibleAndDistinct) {
  std::set<std::string> contents;
  for (const char* name : kGameEffects) {
    SCOPED_TRACE(name);
    std::string path = testsupport::gameDir() + "/sfx/" + name + ".ogg";
    Decoded sound = decode(path);
    EXPECT_GT(sound.seconds, 0.03);
    EXPECT_LT(sound.seconds, 2.5);
    EXPECT_GT(sound.loudest, 16000);
    EXPECT_TRUE(contents.insert(testsupport::readFile(path)).second) << "a copy of another";
  }
}

TEST(BakedSounds, LogoJingleIsShortAndTitleTuneIsLong) {
  Decoded jingle = decode(testsupport::gameDir() + "/mus/zsl.ogg");
  EXPECT_GE(jingle.seconds, 2.0);
  EXPECT_LE(jingle.seconds, 4.0);
  Decoded title = decode(testsupport::gameDir() + "/mus/title.ogg");
  EXPECT_GT(title.seconds, 20.0);
  EXPECT_GT(title.loudest, 16000);
}

TEST(BakedSounds, LevelTunesRunAMinuteAndStayBelowFullScale) {
  for (const char* name : kLevelTunes) {
    SCOPED_TRACE(name);
    Decoded tune = decode(testsupport::gameDir() + "/mus/" + name + ".ogg");
    EXPECT_GE(tune.seconds, 60.0);
    EXPECT_GT(tune.loudest, 16000);
    EXPECT_LT(tune.loudest, kFullScale);
  }
}

TEST(BakedSounds, SourceScanFindsTheWaysTheGameNamesSounds) {
  std::set<std::string> effects, music;
  collect("playSample(\"pop\", 255, 128, 1000, false); playSoundAt( \"seagull\");\n"
          "sound->playSampleThrottled(\"refill\", 0.5f); moveSound = \"bubble\";\n"
          "log(\"Can't load sample [\" + path); playAnimation(\"spin\", 0, 20);",
          kEffectUse, effects);
  collect("sound->playMusic(\"mus/title.ogg\", true); { \"mus/boss.ogg\", 3 },", kMusicUse, music);
  EXPECT_EQ(effects, (std::set<std::string>{"pop", "seagull", "refill", "bubble"}));
  EXPECT_EQ(music, (std::set<std::string>{"mus/title.ogg", "mus/boss.ogg"}));
}

TEST(BakedSounds, EverySoundTheSourceNamesHasABakedFile) {
  for (const std::string& name : soundsNamedInSource(kEffectUse))
    EXPECT_TRUE(fs::exists(testsupport::gameDir() + "/sfx/" + name + ".ogg")) << name;
  for (const std::string& path : soundsNamedInSource(kMusicUse))
    EXPECT_TRUE(fs::exists(testsupport::gameDir() + "/" + path)) << path;
}
