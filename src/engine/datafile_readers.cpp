#include "engine/datafile_readers.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using LoadFunction = void* (*)(PACKFILE* f, long size);

const long kPictureHeaderBytes = 6;  // depth, width, height
const long kRleHeaderBytes = 10;     // the same and the size of the runs
const int kBakedDepth = 16;

// Allegro's readers, kept while ours are installed.
LoadFunction allegroBitmapReader = nullptr;
LoadFunction allegroRleReader = nullptr;

DATAFILE_TYPE* readerEntry(int type) {
  for (int i = 0; i < MAX_DATAFILE_TYPES; ++i)
    if (_datafile_type[i].type == type) return &_datafile_type[i];
  return nullptr;
}

// Allegro stores each 16-bit pixel of a picture as makecol16 of its
// channels widened to 8 bits by its scale tables. Narrowing them again
// gives the stored channels back, so a pixel is its stored channels moved
// to the screen's places. When the screen's depth makes Allegro convert
// the picture, or the tables do not narrow back, its reader runs instead.
bool pixelsRepack(int depth) {
  if (depth != kBakedDepth || _color_load_depth(kBakedDepth, FALSE) != kBakedDepth) return false;
  for (int v = 0; v < 32; ++v)
    if ((_rgb_scale_5[v] >> 3) != v) return false;
  for (int v = 0; v < 64; ++v)
    if ((_rgb_scale_6[v] >> 2) != v) return false;
  return true;
}

// Stored 5.6.5 words (low byte first) to screen pixels, in place.
void repackPixels(uint16_t* words, long count) {
  const int red = _rgb_r_shift_16, green = _rgb_g_shift_16, blue = _rgb_b_shift_16;
  auto* bytes = reinterpret_cast<uint8_t*>(words);
  for (long i = 0; i < count; ++i) {
    unsigned c = bytes[2 * i] | unsigned(bytes[2 * i + 1]) << 8;
    words[i] = uint16_t((c >> 11 & 0x1F) << red | (c >> 5 & 0x3F) << green | (c & 0x1F) << blue);
  }
}

// Run words (counts and row ends) are stored low byte first too.
uint16_t wordFromFile(uint16_t stored) {
  auto* bytes = reinterpret_cast<uint8_t*>(&stored);
  return uint16_t(bytes[0] | bytes[1] << 8);
}

// A packfile over bytes in memory, for handing an object that was already
// partly read to Allegro's own reader.
struct MemoryBytes {
  const uint8_t* at;
  const uint8_t* end;
};

int memoryClose(void*) { return 0; }
int memoryGetc(void* user) {
  auto* m = static_cast<MemoryBytes*>(user);
  return m->at < m->end ? *m->at++ : EOF;
}
int memoryUngetc(int c, void* user) {
  auto* m = static_cast<MemoryBytes*>(user);
  --m->at;
  return c;
}
long memoryRead(void* p, long n, void* user) {
  auto* m = static_cast<MemoryBytes*>(user);
  long got = std::min<long>(n, m->end - m->at);
  std::memcpy(p, m->at, size_t(got));
  m->at += got;
  return got;
}
int memoryPutc(int, void*) { return EOF; }
long memoryWrite(const void*, long, void*) { return 0; }
int memorySeek(void* user, int offset) {
  auto* m = static_cast<MemoryBytes*>(user);
  if (offset < 0 || offset > m->end - m->at) return -1;
  m->at += offset;
  return 0;
}
int memoryEof(void* user) {
  auto* m = static_cast<MemoryBytes*>(user);
  return m->at >= m->end;
}
int memoryError(void*) { return 0; }
const PACKFILE_VTABLE kMemoryVtable = {memoryClose, memoryGetc, memoryUngetc, memoryRead, memoryPutc,
                                       memoryWrite, memorySeek,  memoryEof,    memoryError};

// Gives the object to Allegro's reader: the header already taken, then
// the rest of its size from f.
void* throughAllegro(LoadFunction reader, PACKFILE* f, long size, const std::vector<uint8_t>& header) {
  if (!reader || size < static_cast<long>(header.size())) return nullptr;
  std::vector<uint8_t> body(header);
  body.resize(size_t(size));
  long rest = size - static_cast<long>(header.size());
  if (pack_fread(body.data() + header.size(), rest, f) != rest) return nullptr;
  MemoryBytes bytes{body.data(), body.data() + body.size()};
  PACKFILE* memory = pack_fopen_vtable(&kMemoryVtable, &bytes);
  if (!memory) return nullptr;
  void* object = reader(memory, size);
  pack_fclose(memory);
  return object;
}

void putBe16(std::vector<uint8_t>& out, int value) {
  out.push_back(uint8_t(value >> 8));
  out.push_back(uint8_t(value));
}

void* readBitmap(PACKFILE* f, long size) {
  int depth = pack_mgetw(f), width = pack_mgetw(f), height = pack_mgetw(f);
  long rowBytes = 2L * width;
  if (!pixelsRepack(depth) || size != kPictureHeaderBytes + rowBytes * height) {
    std::vector<uint8_t> header;
    for (int field : {depth, width, height}) putBe16(header, field);
    return throughAllegro(allegroBitmapReader, f, size, header);
  }
  BITMAP* bitmap = create_bitmap_ex(kBakedDepth, width, height);
  if (!bitmap) return nullptr;
  for (int y = 0; y < height; ++y) {
    if (pack_fread(bitmap->line[y], rowBytes, f) != rowBytes) {
      destroy_bitmap(bitmap);
      return nullptr;
    }
    repackPixels(reinterpret_cast<uint16_t*>(bitmap->line[y]), width);
  }
  return bitmap;
}

// Allegro's 16-bit runs in memory are the stored ones, pixels repacked:
// a negative word skips pixels, a positive one is followed by that many
// pixels, and the mask colour ends a row.
bool repackRuns(uint16_t* words, long count, int height) {
  long at = 0;
  for (int row = 0; row < height; ++row) {
    for (;;) {
      if (at >= count) return false;
      uint16_t word = wordFromFile(words[at]);
      words[at++] = word;
      if (word == MASK_COLOR_16) break;
      int16_t run = int16_t(word);
      if (run <= 0) continue;
      if (run > count - at) return false;
      repackPixels(words + at, run);
      at += run;
    }
  }
  return at == count;
}

void* readRleSprite(PACKFILE* f, long size) {
  int depth = pack_mgetw(f), width = pack_mgetw(f), height = pack_mgetw(f);
  long runBytes = pack_mgetl(f);
  if (!pixelsRepack(depth) || runBytes < 0 || size != kRleHeaderBytes + runBytes || runBytes % 2 != 0) {
    std::vector<uint8_t> header;
    for (int field : {depth, width, height}) putBe16(header, field);
    putBe16(header, int(runBytes >> 16));
    putBe16(header, int(runBytes & 0xFFFF));
    return throughAllegro(allegroRleReader, f, size, header);
  }
  auto* sprite = static_cast<RLE_SPRITE*>(std::malloc(sizeof(RLE_SPRITE) + size_t(runBytes)));
  if (!sprite) return nullptr;
  sprite->w = width;
  sprite->h = height;
  sprite->color_depth = kBakedDepth;
  sprite->size = static_cast<int>(runBytes);
  auto* words = reinterpret_cast<uint16_t*>(sprite->dat);
  if (pack_fread(words, runBytes, f) != runBytes || !repackRuns(words, runBytes / 2, height)) {
    std::free(sprite);
    return nullptr;
  }
  return sprite;
}

}  // namespace

BulkObjectReaders::BulkObjectReaders() {
  DATAFILE_TYPE* bitmaps = readerEntry(DAT_BITMAP);
  DATAFILE_TYPE* sprites = readerEntry(DAT_RLE_SPRITE);
  if (!bitmaps || !sprites || bitmaps->load == readBitmap) return;
  installed = true;
  allegroBitmapReader = bitmaps->load;
  allegroRleReader = sprites->load;
  bitmaps->load = readBitmap;
  sprites->load = readRleSprite;
}

BulkObjectReaders::~BulkObjectReaders() {
  if (!installed) return;
  DATAFILE_TYPE* bitmaps = readerEntry(DAT_BITMAP);
  DATAFILE_TYPE* sprites = readerEntry(DAT_RLE_SPRITE);
  if (bitmaps && bitmaps->load == readBitmap) bitmaps->load = allegroBitmapReader;
  if (sprites && sprites->load == readRleSprite) sprites->load = allegroRleReader;
}
