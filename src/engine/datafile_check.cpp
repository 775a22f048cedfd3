#include "engine/datafile_check.h"

#include <allegro.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "engine/datafile_readers.h"

namespace {

const uint32_t kPackedMagic = F_PACK_MAGIC;      // "slh!": an LZSS stream follows
const uint32_t kUnpackedMagic = F_NOPACK_MAGIC;  // "slh.": the plain bytes follow
const uint32_t kDatafileMagic = DAT_MAGIC;
const size_t kMagicBytes = 4;
// Far above the largest baked file; anything bigger is not one of ours.
const size_t kMaxFileBytes = size_t(32) << 20;
const size_t kMaxPlainBytes = size_t(128) << 20;

// Allegro's LZSS: a 4096-byte ring filled from 4096 - 18 on, matches of
// 3 to 18 bytes.
const int kRingBytes = 4096;
const int kMaxMatch = 18;
const int kMinMatch = 3;

const size_t kObjectHeaderBytes = 12;  // type, stored size, unpacked size
const int kMaxProperties = 64;         // Allegro keeps no more for one object
const int kMaxNesting = 16;
const uint32_t kEndType = uint32_t(DAT_END);  // ends Allegro's lists in memory

const size_t kPictureHeaderBytes = 6;  // depth, width, height
const size_t kRleHeaderBytes = 10;     // the same and the size of the runs
const uint16_t kRleEndOfRow = 0xF81F;  // magic pink in 16 bits
const size_t kPaletteBytes = 256 * 4;
const uint8_t kMaxPaletteChannel = 63;  // Allegro looks channels up in 64-entry tables
const uint16_t kRangedFont = 0;
const uint8_t kColourGlyphs = 8;
const uint32_t kLastCharacter = 0x10FFFF;
const size_t kGlyphHeaderBytes = 4;

// Big-endian header fields read within a span of bytes; a read past its
// end fails the reader and yields zeros.
class ByteReader {
 public:
  ByteReader(const uint8_t* begin, size_t size) : at_(begin), end_(begin + size) {}

  size_t left() const { return size_t(end_ - at_); }
  bool failed() const { return failed_; }
  uint8_t u8() { return take(1) ? at_[-1] : 0; }
  uint16_t be16() { return take(2) ? uint16_t(at_[-2] << 8 | at_[-1]) : 0; }
  uint16_t le16() { return take(2) ? uint16_t(at_[-1] << 8 | at_[-2]) : 0; }
  uint32_t be32() { return take(4) ? uint32_t(at_[-4]) << 24 | uint32_t(at_[-3]) << 16 | at_[-2] << 8 | at_[-1] : 0; }
  bool skip(uint64_t n) { return take(n); }
  // The next n bytes as a reader of their own.
  ByteReader span(size_t n) {
    const uint8_t* start = at_;
    return take(n) ? ByteReader(start, n) : ByteReader(start, 0);
  }

 private:
  bool take(uint64_t n) {
    if (failed_ || left() < n) {
      failed_ = true;
      return false;
    }
    at_ += n;
    return true;
  }
  const uint8_t* at_;
  const uint8_t* end_;
  bool failed_ = false;
};

bool failWith(std::string& reason, const std::string& why) {
  reason = why;
  return false;
}

std::string sizeText(uint64_t width, uint64_t height) { return std::to_string(width) + "x" + std::to_string(height); }

// The body must be exactly as long as its layout says.
bool exactSize(const ByteReader& body, uint64_t expected, const std::string& what, std::string& reason) {
  if (body.left() == expected) return true;
  return failWith(reason, what + " needs " + std::to_string(expected) + " bytes, has " + std::to_string(body.left()));
}

bool checkData(ByteReader& body, std::string&) { return body.skip(body.left()); }

int bytesPerPixel(uint16_t depth) {
  switch (depth) {
    case 16: return 2;
    case 24: return 3;
    default: return 0;  // the baker writes no other depth
  }
}

bool checkBitmap(ByteReader& body, std::string& reason) {
  uint64_t total = body.left();
  uint16_t depth = body.be16(), width = body.be16(), height = body.be16();
  if (body.failed()) return failWith(reason, "bitmap header cut short");
  if (bytesPerPixel(depth) == 0) return failWith(reason, "bitmap of depth " + std::to_string(depth));
  if (width == 0 || height == 0) return failWith(reason, "empty bitmap " + sizeText(width, height));
  uint64_t pixels = uint64_t(width) * height * bytesPerPixel(depth);
  if (total != kPictureHeaderBytes + pixels)
    return failWith(reason, "bitmap " + sizeText(width, height) + "x" + std::to_string(depth) + " needs " +
                                std::to_string(kPictureHeaderBytes + pixels) + " bytes, has " + std::to_string(total));
  return body.skip(pixels);
}

// One row of runs as Allegro's loader walks it: the end-of-row word, a
// negative word skips pixels, any other is a count of pixels that follow.
// The runs must cover the sprite's width exactly, or drawing overruns it.
bool checkRleRow(ByteReader& runs, int width, std::string& reason) {
  int covered = 0;
  for (uint16_t word = runs.le16(); !runs.failed() && word != kRleEndOfRow; word = runs.le16()) {
    int16_t run = int16_t(word);
    int pixels = run < 0 ? -run : run;
    if (run > 0 && !runs.skip(uint64_t(run) * 2)) break;
    covered += pixels;
    if (covered > width) return failWith(reason, "RLE row runs past the width " + std::to_string(width));
  }
  if (runs.failed()) return failWith(reason, "RLE runs cut short");
  if (covered != width)
    return failWith(reason, "RLE row covers " + std::to_string(covered) + " of " + std::to_string(width));
  return true;
}

bool checkRleSprite(ByteReader& body, std::string& reason) {
  uint64_t total = body.left();
  uint16_t depth = body.be16(), width = body.be16(), height = body.be16();
  uint32_t runBytes = body.be32();
  if (body.failed()) return failWith(reason, "RLE header cut short");
  if (depth != 16) return failWith(reason, "RLE sprite of depth " + std::to_string(depth));
  if (width == 0 || height == 0) return failWith(reason, "empty RLE sprite " + sizeText(width, height));
  if (total != kRleHeaderBytes + runBytes)
    return failWith(reason, "RLE sprite needs " + std::to_string(kRleHeaderBytes + runBytes) + " bytes, has " +
                                std::to_string(total));
  ByteReader runs = body.span(runBytes);
  for (int y = 0; y < height; ++y)
    if (!checkRleRow(runs, width, reason)) return false;
  if (runs.left() != 0) return failWith(reason, "bytes after the last RLE row");
  return true;
}

bool checkGlyphRange(ByteReader& body, std::string& reason) {
  uint8_t kind = body.u8();
  uint32_t first = body.be32(), last = body.be32();
  if (body.failed()) return failWith(reason, "font range cut short");
  if (kind != kColourGlyphs) return failWith(reason, "font range of glyph kind " + std::to_string(kind));
  if (first > last || last > kLastCharacter)
    return failWith(reason, "font range " + std::to_string(first) + ".." + std::to_string(last));
  if (uint64_t(last - first + 1) * kGlyphHeaderBytes > body.left())
    return failWith(reason, "font range of " + std::to_string(last - first + 1) + " glyphs in fewer bytes");
  for (uint32_t c = first; c <= last; ++c) {
    uint16_t width = body.be16(), height = body.be16();
    if (!body.failed() && (width == 0 || height == 0))
      return failWith(reason, "empty glyph " + sizeText(width, height) + " for character " + std::to_string(c));
    if (!body.skip(uint64_t(width) * height)) return failWith(reason, "glyph cut short");
  }
  return true;
}

bool checkFont(ByteReader& body, std::string& reason) {
  uint16_t format = body.be16(), ranges = body.be16();
  if (body.failed()) return failWith(reason, "font header cut short");
  if (format != kRangedFont) return failWith(reason, "font of format " + std::to_string(format));
  if (ranges == 0) return failWith(reason, "font without characters");
  for (int i = 0; i < ranges; ++i)
    if (!checkGlyphRange(body, reason)) return false;
  return true;
}

bool checkPalette(ByteReader& body, std::string& reason) {
  if (!exactSize(body, kPaletteBytes, "palette", reason)) return false;
  for (size_t i = 0; i < kPaletteBytes; ++i) {
    uint8_t value = body.u8();
    if (i % 4 != 3 && value > kMaxPaletteChannel)
      return failWith(reason, "palette channel of " + std::to_string(value));
  }
  return true;
}

// The object types the baker writes, each with the check of its layout.
// Allegro would load any other with a reader of its own: refused.
struct ObjectKind {
  int type;
  bool (*check)(ByteReader& body, std::string& reason);
};
const ObjectKind kObjectKinds[] = {
    {DAT_DATA, checkData},   {DAT_BITMAP, checkBitmap},   {DAT_RLE_SPRITE, checkRleSprite},
    {DAT_FONT, checkFont},   {DAT_PALETTE, checkPalette},
};

std::string typeName(uint32_t type) {
  std::string name;
  for (int shift = 24; shift >= 0; shift -= 8) {
    char c = char(type >> shift);
    if (c < ' ' || c > '~') {
      char hex[16];
      std::snprintf(hex, sizeof hex, "0x%08X", type);
      return hex;
    }
    name += c;
  }
  return "'" + name + "'";
}

// Walks an object list as load_datafile reads it; the first fault found
// ends the walk and is kept, with the object's place ("3.1" is object 1
// of the datafile nested as object 3).
class DatafileChecker {
 public:
  std::string reason;

  // The list of the datafile owner ("" for the file itself).
  bool checkList(ByteReader& in, int depth, const std::string& owner) {
    uint32_t count = in.be32();
    if (in.failed()) return fail(owner, "no object count");
    if (count > in.left() / kObjectHeaderBytes)
      return fail(owner, std::to_string(count) + " objects in " + std::to_string(in.left()) + " bytes");
    for (uint32_t i = 0; i < count; ++i)
      if (!checkObject(in, depth, (owner.empty() ? "" : owner + ".") + std::to_string(i))) return false;
    if (in.left() != 0) return fail(owner, std::to_string(in.left()) + " bytes after the last object");
    return true;
  }

 private:
  bool fail(const std::string& where, const std::string& why) {
    reason = (where.empty() ? std::string("object list") : "object " + where) + ": " + why;
    return false;
  }

  bool skipProperties(ByteReader& in, uint32_t& type, const std::string& where) {
    for (int properties = 0; type == uint32_t(DAT_PROPERTY); ++properties) {
      if (properties == kMaxProperties)
        return fail(where, "more than " + std::to_string(kMaxProperties) + " properties");
      uint32_t propertyType = in.be32();
      uint32_t length = in.be32();
      if (in.failed() || !in.skip(length)) return fail(where, "property cut short");
      if (propertyType == kEndType) return fail(where, "property of the end type");
      type = in.be32();
    }
    return true;
  }

  bool checkObject(ByteReader& in, int depth, const std::string& where) {
    uint32_t type = in.be32();
    if (!skipProperties(in, type, where)) return false;
    uint32_t stored = in.be32();
    uint32_t unpacked = in.be32();
    if (in.failed()) return fail(where, "object header cut short");
    // A packed object gives a negative unpacked size; the baker packs the
    // whole file instead, so an object's two sizes always agree.
    if (stored != unpacked) return fail(where, "sizes " + std::to_string(stored) + " and " + std::to_string(unpacked));
    if (stored > in.left())
      return fail(where, std::to_string(stored) + " bytes declared, " + std::to_string(in.left()) + " left");
    ByteReader body = in.span(stored);
    if (type == uint32_t(DAT_FILE)) {
      if (depth >= kMaxNesting) return fail(where, "datafiles nested too deep");
      return checkList(body, depth + 1, where);
    }
    for (const ObjectKind& kind : kObjectKinds) {
      if (uint32_t(kind.type) != type) continue;
      std::string why;
      if (!kind.check(body, why)) return fail(where, why);
      if (body.left() != 0)
        return fail(where, std::to_string(body.left()) + " bytes after the " + typeName(type) + " data");
      return true;
    }
    return fail(where, "object of type " + typeName(type));
  }
};

bool unpack(const uint8_t* data, size_t size, DatafileBytes& plain, std::string& reason) {
  ByteReader header(data, size);
  uint32_t magic = header.be32();
  if (header.failed()) return failWith(reason, "shorter than a packfile header");
  const uint8_t* body = data + kMagicBytes;
  size_t bodySize = size - kMagicBytes;
  plain.clear();
  if (magic == kUnpackedMagic) {
    plain.assign(body, body + bodySize);
    return true;
  }
  if (magic != kPackedMagic) return failWith(reason, "not a packfile");
  return unpackLzss(body, bodySize, plain, reason);
}

bool readWholeFile(const std::string& path, DatafileBytes& bytes, std::string& reason) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return failWith(reason, "cannot be opened");
  bytes.clear();
  uint8_t buffer[1 << 16];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && bytes.size() <= kMaxFileBytes)
    bytes.insert(bytes.end(), buffer, buffer + got);
  bool readFault = std::ferror(file);
  std::fclose(file);
  if (readFault) return failWith(reason, "cannot be read");
  if (bytes.size() > kMaxFileBytes) return failWith(reason, "larger than " + std::to_string(kMaxFileBytes) + " bytes");
  return true;
}

bool writeAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    ssize_t done = write(fd, data, size);
    if (done <= 0) return false;
    data += done;
    size -= size_t(done);
  }
  return true;
}

}  // namespace

// Allegro's LZSS decoder: a flag byte announces eight items, a set bit a
// literal, a clear one a 12-bit ring position and a 4-bit length. Like
// Allegro's, it stops where the input ends, dropping a half item.
// Allegro writes output byte n to ring[(4096 - 18 + n) % 4096], zeros
// before; so a ring position is a fixed distance back in the output for a
// whole match, and the output itself serves as the ring.
bool unpackLzss(const uint8_t* in, size_t size, DatafileBytes& out, std::string& reason) {
  size_t n = 0;
  out.resize(std::max<size_t>(size * 2, kRingBytes));
  size_t at = 0;
  unsigned flags = 0;
  for (;;) {
    if (n + kMaxMatch > out.size()) out.resize(out.size() * 2);
    flags >>= 1;
    if (!(flags & 0x100)) {
      if (at == size) break;
      flags = in[at++] | 0xFF00;
    }
    if (flags & 1) {
      if (at == size) break;
      out[n++] = in[at++];
    } else {
      if (size - at < 2) break;
      size_t position = in[at] | (in[at + 1] & 0xF0) << 4;
      int length = (in[at + 1] & 0x0F) + kMinMatch;
      at += 2;
      size_t writing = (kRingBytes - kMaxMatch + n) & (kRingBytes - 1);
      size_t back = (writing - position) & (kRingBytes - 1);
      if (back == 0) back = kRingBytes;  // the slot about to be overwritten
      uint8_t* to = out.data() + n;
      if (back <= n) {
        const uint8_t* from = to - back;
        for (int k = 0; k < length; ++k) to[k] = from[k];  // may overlap forwards, as the ring does
      } else {
        for (int k = 0; k < length; ++k) to[k] = size_t(k) + n >= back ? to[k - ptrdiff_t(back)] : 0;
      }
      n += size_t(length);
    }
    if (n > kMaxPlainBytes) return failWith(reason, "unpacks to more than " + std::to_string(kMaxPlainBytes) + " bytes");
  }
  out.resize(n);
  return true;
}

bool checkDatafile(const uint8_t* data, size_t size, DatafileBytes& plain, std::string& reason) {
  if (!unpack(data, size, plain, reason)) return false;
  ByteReader in(plain.data(), plain.size());
  if (in.be32() != kDatafileMagic) return failWith(reason, "not a datafile");
  DatafileChecker checker;
  if (checker.checkList(in, 0, "")) return true;
  reason = checker.reason;
  return false;
}

DATAFILE* loadCheckedBytes(const DatafileBytes& plain) {
  // A packfile over a vtable cannot open the chunks a datafile is made of,
  // so the checked bytes go to an anonymous memory file that Allegro's
  // loader opens by its path, marked as not packed.
  int fd = memfd_create("datafile", MFD_CLOEXEC);
  if (fd < 0) return nullptr;
  const uint8_t header[kMagicBytes] = {'s', 'l', 'h', '.'};
  DATAFILE* datafile = nullptr;
  if (writeAll(fd, header, kMagicBytes) && writeAll(fd, plain.data(), plain.size())) {
    BulkObjectReaders readers;
    datafile = load_datafile(("/proc/self/fd/" + std::to_string(fd)).c_str());
  }
  close(fd);
  return datafile;
}

DATAFILE* loadCheckedDatafile(const std::string& path, std::string& reason) {
  DatafileBytes bytes, plain;
  if (!readWholeFile(path, bytes, reason) || !checkDatafile(bytes.data(), bytes.size(), plain, reason)) return nullptr;
  bytes.clear();
  bytes.shrink_to_fit();
  DATAFILE* datafile = loadCheckedBytes(plain);
  if (!datafile) reason = "refused by the loader";
  return datafile;
}
