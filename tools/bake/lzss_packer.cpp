#include "lzss_packer.h"

#include <vector>

namespace bake {
namespace {

const int kWindow = 4096;
const int kMaxMatch = 18;
const int kMinMatch = 3;
// The reader's ring buffer starts writing at this slot.
const int kRingStart = kWindow - kMaxMatch;
const int kHashSize = 1 << 15;
const int kMaxChainSteps = 512;  // bounds the search; longer only gains a little
const uint32_t kPackMagic = 0x736C6821;  // "slh!"

int hashAt(const Bytes& in, size_t pos) {
  return ((in[pos] << 10) ^ (in[pos + 1] << 5) ^ in[pos + 2]) & (kHashSize - 1);
}

// Hash chains over 3-byte prefixes of the input seen so far.
class MatchFinder {
 public:
  explicit MatchFinder(const Bytes& in) : in_(in), head_(kHashSize, -1), prev_(in.size(), -1) {}

  void insert(size_t pos) {
    if (pos + kMinMatch > in_.size()) return;
    int h = hashAt(in_, pos);
    prev_[pos] = head_[h];
    head_[h] = int(pos);
  }

  // Longest earlier match for pos, kept strictly inside the window so the
  // reader still holds every source byte.
  int longest(size_t pos, int& source) const {
    if (pos + kMinMatch > in_.size()) return 0;
    const int limit = int(std::min<size_t>(kMaxMatch, in_.size() - pos));
    int best = 0;
    int steps = 0;
    for (int cand = head_[hashAt(in_, pos)]; cand >= 0 && steps < kMaxChainSteps;
         cand = prev_[cand], ++steps) {
      if (int(pos) - cand >= kWindow) break;
      int length = 0;
      while (length < limit && in_[cand + length] == in_[pos + length]) ++length;
      if (length > best) {
        best = length;
        source = cand;
        if (best == limit) break;
      }
    }
    return best;
  }

 private:
  const Bytes& in_;
  std::vector<int> head_;
  std::vector<int> prev_;
};

// Collects items into groups of eight behind their flag byte.
class GroupWriter {
 public:
  explicit GroupWriter(Bytes& out) : out_(out) {}
  void literal(uint8_t byte) {
    begin();
    out_[flagPos_] |= uint8_t(1 << count_);
    out_.push_back(byte);
    ++count_;
  }
  void match(int ringPos, int length) {
    begin();
    out_.push_back(uint8_t(ringPos & 0xFF));
    out_.push_back(uint8_t(((ringPos >> 4) & 0xF0) | (length - kMinMatch)));
    ++count_;
  }

 private:
  void begin() {
    if (count_ < 8 && flagPos_ != size_t(-1)) return;
    flagPos_ = out_.size();
    out_.push_back(0);
    count_ = 0;
  }
  Bytes& out_;
  size_t flagPos_ = size_t(-1);
  int count_ = 0;
};

}  // namespace

Bytes lzssCompress(const Bytes& input) {
  Bytes out;
  GroupWriter writer(out);
  MatchFinder finder(input);
  size_t pos = 0;
  while (pos < input.size()) {
    int source = 0;
    int length = finder.longest(pos, source);
    if (length >= kMinMatch) {
      writer.match((kRingStart + source) & (kWindow - 1), length);
    } else {
      writer.literal(input[pos]);
      length = 1;
    }
    for (int i = 0; i < length; ++i) finder.insert(pos + i);
    pos += length;
  }
  return out;
}

Bytes makePackfile(const Bytes& payload) {
  Bytes out;
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(kPackMagic >> shift));
  Bytes packed = lzssCompress(payload);
  out.insert(out.end(), packed.begin(), packed.end());
  return out;
}

}  // namespace bake
