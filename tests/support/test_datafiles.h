#pragma once
#include <string>
#include <vector>

#include "datafile_writer.h"  // the baker's datafile objects

// Small datafiles for tests that need exact control over entry types and
// counts, written with the baker's own writer.
namespace testsupport {

using DatafileEntry = bake::DatObject;

DatafileEntry bitmapEntry(int width, int height, int r, int g, int b);
// A bitmap whose left half is magic pink (transparent) and right half solid.
DatafileEntry halfMaskedBitmapEntry(int width, int height, int r, int g, int b);
DatafileEntry rleEntry(int width, int height, int r, int g, int b);
DatafileEntry dataEntry(const std::string& bytes);
DatafileEntry nestedEntry(const std::vector<DatafileEntry>& entries);

void writeDatafile(const std::string& path, const std::vector<DatafileEntry>& entries);

}  // namespace testsupport
