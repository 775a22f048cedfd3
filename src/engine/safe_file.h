#pragma once
#include <string>

// Saves that a crash, a kill or a full disk can never leave half-written:
// the data goes to a temporary file beside the target, is flushed to disk,
// and is then renamed over the target in one step. A save that fails keeps
// the old file, removes the temporary one and says so in the log.

// The temporary file a save of path writes first.
std::string temporaryPathFor(const std::string& path);

// Writes contents to path through a temporary file. False (and the old file
// untouched) when anything fails.
bool writeFileSafely(const std::string& path, const std::string& contents);

// Flushes an already written temporary file and renames it over path.
bool commitTemporaryFile(const std::string& temporaryPath, const std::string& path);

// Removes an unfinished temporary file and logs why the save of path failed.
void abandonTemporaryFile(const std::string& temporaryPath, const std::string& path,
                          const std::string& reason);

// The whole file as it is on disk; false when it cannot be opened.
bool readTextFile(const std::string& path, std::string& text);

// True for any file system entry at path, hidden ones (".name") included,
// unlike Allegro's exists().
bool fileExists(const std::string& path);
