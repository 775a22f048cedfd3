// Datafiles as raw bytes: the check refuses them or Allegro's loader takes
// them, and every object it then hands out can be drawn without harm.
#include <allegro.h>

#include <cstdint>

#include "engine/datafile_check.h"
#include "fuzz_support.h"

namespace {

BITMAP* canvas = nullptr;

void use(const DATAFILE& entry) {
  switch (entry.type) {
    case DAT_BITMAP: {
      auto* picture = static_cast<BITMAP*>(entry.dat);
      draw_sprite(canvas, picture, -picture->w / 2, 3);
      break;
    }
    case DAT_RLE_SPRITE: {
      auto* sprite = static_cast<RLE_SPRITE*>(entry.dat);
      draw_rle_sprite(canvas, sprite, 5, 5);                         // unclipped
      draw_rle_sprite(canvas, sprite, canvas->w - sprite->w / 2, -2);  // clipped
      break;
    }
    case DAT_FONT:
      textout_ex(canvas, static_cast<FONT*>(entry.dat), "Tidewell 0123 !?", 0, 0, -1, -1);
      break;
    case DAT_PALETTE:
      select_palette(static_cast<RGB*>(entry.dat));
      break;
    case DAT_FILE:
      for (const DATAFILE* nested = static_cast<DATAFILE*>(entry.dat); nested->type != DAT_END; ++nested)
        use(*nested);
      break;
    default:
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startFuzzing();
  set_color_depth(16);
  canvas = create_bitmap(64, 48);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DatafileBytes plain;
  std::string reason;
  if (!checkDatafile(data, size, plain, reason)) {
    require(!reason.empty(), "a refused datafile says why");
    return 0;
  }
  DATAFILE* datafile = loadCheckedBytes(plain);
  require(datafile != nullptr, "a checked datafile loads");
  for (const DATAFILE* entry = datafile; entry->type != DAT_END; ++entry) use(*entry);
  unload_datafile(datafile);
  return 0;
}
