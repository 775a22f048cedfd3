#pragma once
#include "datafile_writer.h"

namespace bake {

// Compresses with the LZSS scheme of Allegro's packfiles: a 4096-byte
// window, matches of 3 to 18 bytes, one flag byte per eight items.
Bytes lzssCompress(const Bytes& input);

// A whole packfile as pack_fopen(..., "rp") reads it: "slh!" and the
// compressed payload.
Bytes makePackfile(const Bytes& payload);

}  // namespace bake
