#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct DATAFILE;

// Datafiles are read once into memory and checked against the layouts the
// baker writes before Allegro's loader sees a byte of them: its loader
// trusts every size it reads, so a damaged file would crash it.
using DatafileBytes = std::vector<uint8_t>;

// Unpacks a packfile ("slh!" and an LZSS stream, or "slh." and plain bytes)
// and checks the datafile inside: every object's declared sizes against
// its type and the bytes present, nested datafiles alike. On success plain
// holds the unpacked datafile ("ALL." on); on failure reason says why.
bool checkDatafile(const uint8_t* data, size_t size, DatafileBytes& plain, std::string& reason);

// Allegro's LZSS stream to the bytes it packs, which replace out's; fails
// when they would pass the largest datafile.
bool unpackLzss(const uint8_t* in, size_t size, DatafileBytes& out, std::string& reason);

// Hands bytes that passed checkDatafile to Allegro's own loader, from
// memory, with the bulk picture readers in place; null when it refuses
// them. Unload the result with unload_datafile.
DATAFILE* loadCheckedBytes(const DatafileBytes& plain);

// Reads the file at path once, checks it and loads exactly what was
// checked; null, with the reason, when it is unreadable or damaged.
DATAFILE* loadCheckedDatafile(const std::string& path, std::string& reason);
