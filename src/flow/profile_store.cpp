#include "flow/profile_store.h"

#include <allegro.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/game_paths.h"
#include "engine/safe_file.h"

namespace {

const size_t kMaxNameBytes = 64;
const int kFlagsOffset = 12;
const int kRatingsOffset = 16;
const int kBestTimesOffset = kRatingsOffset + 4 * kStoredLevels;

int32_t readInt32(const unsigned char* bytes) {
  uint32_t v = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
               static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
  return static_cast<int32_t>(v);
}

void writeInt32(unsigned char* bytes, int32_t value) {
  uint32_t v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(v >> (8 * i));
}

// One well-formed UTF-8 character at at (no overlong forms, no surrogates,
// nothing past U+10FFFF) into c, at moved past it.
bool readUtf8(const std::string& text, size_t& at, uint32_t& c) {
  unsigned char lead = static_cast<unsigned char>(text[at++]);
  int extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : -1;
  if (extra < 0) return false;
  c = extra == 0 ? lead : lead & (0x3F >> extra);
  for (int i = 0; i < extra; ++i) {
    if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) return false;
    c = c << 6 | (static_cast<unsigned char>(text[at++]) & 0x3F);
  }
  static const uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  return c >= kSmallest[extra] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

int valueOr0(const std::map<int, int>& table, int level) {
  auto found = table.find(level);
  return found == table.end() ? 0 : found->second;
}

void ensureFolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return;
  mkdir(path.substr(0, slash).c_str(), 0777);
}

// Reads the level table at offset when the file was long enough for it.
void readLevelTable(const unsigned char* data, long length, int offset, std::map<int, int>& table) {
  for (int level = 0; level < kStoredLevels; ++level) {
    long at = offset + 4L * level;
    if (at + 4 > length) return;
    table[level] = readInt32(data + at);
  }
}

void encodeProgress(const ProfileProgress& progress, unsigned char* data) {
  writeInt32(data, progress.levelsBeaten);
  writeInt32(data + 4, progress.bubbleLimit);
  writeInt32(data + 8, progress.coins);
  data[kFlagsOffset] = static_cast<unsigned char>(progress.waterEffect);
  data[kFlagsOffset + 1] = static_cast<unsigned char>(progress.highResolution);
  data[kFlagsOffset + 2] = static_cast<unsigned char>(progress.fullScreen);
  for (int level = 0; level < kStoredLevels; ++level) {
    writeInt32(data + kRatingsOffset + 4 * level, valueOr0(progress.ratings, level));
    writeInt32(data + kBestTimesOffset + 4 * level, valueOr0(progress.bestTimes, level));
  }
}

// True when the packfile at path unpacks to exactly the progress bytes.
bool holdsExactly(const std::string& path, const unsigned char* expected) {
  PACKFILE* file = pack_fopen(path.c_str(), F_READ_PACKED);
  if (!file) return false;
  unsigned char back[kProgressFileBytes + 1] = {};
  long length = pack_fread(back, kProgressFileBytes + 1, file);
  pack_fclose(file);
  return length == kProgressFileBytes && std::memcmp(back, expected, kProgressFileBytes) == 0;
}

}  // namespace

bool isUsableProfileName(const std::string& name) {
  if (name.empty() || name.size() > kMaxNameBytes || name == "." || name == "..") return false;
  for (size_t at = 0; at < name.size();) {
    uint32_t c = 0;
    if (!readUtf8(name, at, c) || c < 32 || (c >= 127 && c < 160) || c == '/' || c == '\\') return false;
  }
  return true;
}

void removeStaleTemporaryFiles(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) std::remove(temporaryPathFor(path).c_str());
  std::error_code failure;
  for (const auto& entry : std::filesystem::directory_iterator(profileFolder(), failure)) {
    std::string name = entry.path().filename().string();
    for (const char* ending : {".dat.tmp", ".cfg.tmp"}) {
      size_t length = std::strlen(ending);
      if (name.size() > length && name.compare(name.size() - length, length, ending) == 0)
        std::remove(entry.path().c_str());
    }
  }
}

std::string profileFolder() { return userFile("profiles/"); }

std::string progressPathFor(const std::string& name) { return profileFolder() + name + ".dat"; }

std::string keyConfigPathFor(const std::string& name) { return profileFolder() + name + ".cfg"; }

std::string padConfigPathFor(const std::string& name) { return profileFolder() + name + ".pad"; }

ProfileList readProfileList(const std::string& path) {
  std::ifstream in(path);
  return readProfileList(in);
}

ProfileList readProfileList(std::istream& in) {
  ProfileList list;
  std::string line;
  std::vector<std::string> lines;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  if (lines.size() >= 2) {
    list.current = lines.back();
    lines.pop_back();
  }
  for (const std::string& name : lines) {
    if (isUsableProfileName(name) && list.names.size() < static_cast<size_t>(kMaxProfiles)) {
      list.names.push_back(name);
    }
  }
  if (!isUsableProfileName(list.current)) list.current.clear();
  return list;
}

bool writeProfileList(const std::string& path, const ProfileList& list) {
  std::ostringstream out;
  for (const std::string& name : list.names) out << name << '\n';
  out << list.current << '\n';
  return writeFileSafely(path, out.str());
}

bool readProgressFile(const std::string& path, ProfileProgress& progress) {
  PACKFILE* file = pack_fopen(path.c_str(), F_READ_PACKED);
  if (!file) return false;
  unsigned char data[kProgressFileBytes] = {};
  long length = pack_fread(data, kProgressFileBytes, file);
  pack_fclose(file);
  if (length < 0) length = 0;
  int* leading[] = {&progress.levelsBeaten, &progress.bubbleLimit, &progress.coins};
  for (int i = 0; i < 3; ++i) {
    if (4L * i + 4 <= length) *leading[i] = readInt32(data + 4 * i);
  }
  if (length > kFlagsOffset) progress.waterEffect = data[kFlagsOffset];
  if (length > kFlagsOffset + 1) progress.highResolution = data[kFlagsOffset + 1];
  if (length > kFlagsOffset + 2) progress.fullScreen = data[kFlagsOffset + 2];
  readLevelTable(data, length, kRatingsOffset, progress.ratings);
  readLevelTable(data, length, kBestTimesOffset, progress.bestTimes);
  return true;
}

bool writeProgressFile(const std::string& path, const ProfileProgress& progress) {
  unsigned char data[kProgressFileBytes] = {};
  encodeProgress(progress, data);
  ensureFolderOf(path);
  std::string temporary = temporaryPathFor(path);
  PACKFILE* file = pack_fopen(temporary.c_str(), F_WRITE_PACKED);
  if (!file) {
    abandonTemporaryFile(temporary, path, "cannot create " + temporary);
    return false;
  }
  long written = pack_fwrite(data, kProgressFileBytes, file);
  bool failed = written != kProgressFileBytes || pack_ferror(file);
  if (pack_fclose(file) != 0 || failed) {
    abandonTemporaryFile(temporary, path, "write failed");
    return false;
  }
  // The packer flushes inside pack_fclose and drops that flush's errors, so
  // only reading the file back shows that a full disk took nothing.
  if (!holdsExactly(temporary, data)) {
    abandonTemporaryFile(temporary, path, "written file does not read back");
    return false;
  }
  return commitTemporaryFile(temporary, path);
}
