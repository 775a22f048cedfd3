#pragma once
#include <string>

// Saves that a crash or a kill can never leave half-written: the data goes
// to a temporary file beside the target, is flushed to disk, and is then
// renamed over the target in one step.

// The temporary file a save of path writes first.
std::string temporaryPathFor(const std::string& path);

// Writes contents to path through a temporary file. False (and the old file
// untouched) when anything fails.
bool writeFileSafely(const std::string& path, const std::string& contents);

// Flushes an already written temporary file and renames it over path.
bool commitTemporaryFile(const std::string& temporaryPath, const std::string& path);
