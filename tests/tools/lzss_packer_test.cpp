#include "lzss_packer.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <random>

#include "support/test_support.h"

using bake::Bytes;

namespace {

// Writes the packfile and reads it back through Allegro's own "rp" reader.
Bytes roundTrip(const Bytes& payload) {
  const Bytes file = bake::makePackfile(payload);
  testsupport::writeFile("packed.bin", std::string(file.begin(), file.end()));
  PACKFILE* in = pack_fopen("packed.bin", "rp");
  EXPECT_NE(in, nullptr);
  if (!in) return {};
  Bytes out(payload.size() + 16);
  const long got = pack_fread(out.data(), long(out.size()), in);
  pack_fclose(in);
  out.resize(size_t(std::max(got, 0L)));
  return out;
}

Bytes randomBytes(size_t count, int alphabet, unsigned seed) {
  std::mt19937 rng(seed);
  Bytes out(count);
  for (uint8_t& b : out) b = uint8_t(rng() % alphabet);
  return out;
}

}  // namespace

class LzssPacker : public testing::Test {
 protected:
  void SetUp() override { testsupport::initAllegroNoDisplay(16); }
};

TEST_F(LzssPacker, AllegroReadsBackWhatWasPacked) {
  const std::vector<Bytes> payloads = {
      {},
      {'A'},
      Bytes(10000, 0x5A),                    // one long run: overlapping matches
      randomBytes(20000, 256, 1),             // incompressible
      randomBytes(50000, 4, 2),               // many short matches
  };
  for (const Bytes& payload : payloads) EXPECT_EQ(roundTrip(payload), payload) << payload.size();
}

TEST_F(LzssPacker, MatchesReachAcrossTheWholeWindowButNotBeyond) {
  // A block repeated at 4095 bytes (just inside the window) and at 4096
  // and 5000 bytes (outside, where the reader has overwritten it).
  Bytes block = randomBytes(300, 256, 3);
  Bytes payload = block;
  Bytes filler = randomBytes(4095 - block.size(), 256, 4);
  payload.insert(payload.end(), filler.begin(), filler.end());
  payload.insert(payload.end(), block.begin(), block.end());
  Bytes more = randomBytes(4096, 256, 5);
  payload.insert(payload.end(), more.begin(), more.end());
  payload.insert(payload.end(), block.begin(), block.end());
  EXPECT_EQ(roundTrip(payload), payload);
}

TEST_F(LzssPacker, RepetitivePicturesShrink) {
  Bytes rows;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 400; ++x) rows.push_back(uint8_t((x / 10) ^ (y / 25)));
  const Bytes packed = bake::lzssCompress(rows);
  EXPECT_LT(packed.size(), rows.size() / 4);
}
