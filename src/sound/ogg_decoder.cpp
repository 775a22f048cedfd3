#include "sound/ogg_decoder.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>

namespace {

// Damaged pages come back as holes; give up after this many in a row
// rather than spin on a broken file.
const int kMaxConsecutiveFaults = 32;

unsigned short toAllegroSample(float value) {
  float clamped = std::max(-1.0f, std::min(1.0f, value));
  return static_cast<unsigned short>(static_cast<int>(clamped * 32767.0f) + 32768);
}

}  // namespace

OggDecoder::OggDecoder() = default;

OggDecoder::~OggDecoder() {
  if (!file) return;
  ov_clear(file);
  delete file;
}

bool OggDecoder::open(const std::string& path) {
  if (file) return false;
  OggVorbis_File* candidate = new OggVorbis_File;
  if (ov_fopen(path.c_str(), candidate) != 0) {
    delete candidate;
    return false;
  }
  vorbis_info* info = ov_info(candidate, -1);
  if (!info || info->channels < 1 || info->rate <= 0) {
    ov_clear(candidate);
    delete candidate;
    return false;
  }
  file = candidate;
  sampleRate = static_cast<int>(info->rate);
  outputChannels = std::min(info->channels, 2);
  return true;
}

long OggDecoder::totalFrames() const {
  if (!file) return -1;
  ogg_int64_t total = ov_pcm_total(file, -1);
  return total < 0 ? -1 : static_cast<long>(total);
}

int OggDecoder::read(unsigned short* out, int frames) {
  if (!file) return 0;
  int written = 0;
  int faults = 0;
  while (written < frames && faults < kMaxConsecutiveFaults) {
    float** pcm = nullptr;
    int link = 0;
    long got = ov_read_float(file, &pcm, frames - written, &link);
    if (got == 0) break;
    if (got < 0) {
      ++faults;
      continue;
    }
    faults = 0;
    // A chained file may change its channel count between links.
    vorbis_info* info = ov_info(file, link);
    int linkChannels = info ? info->channels : 1;
    for (long i = 0; i < got; ++i) {
      for (int c = 0; c < outputChannels; ++c) {
        int source = std::min(c, linkChannels - 1);
        out[(written + i) * outputChannels + c] = toAllegroSample(pcm[source][i]);
      }
    }
    written += static_cast<int>(got);
  }
  return written;
}

bool OggDecoder::rewind() { return file && ov_pcm_seek(file, 0) == 0; }
