#include "synth/ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>

namespace {

const long kChunkFrames = 1024;

struct Encoder {
  vorbis_info info;
  vorbis_comment comment;
  vorbis_dsp_state dsp;
  vorbis_block block;
  ogg_stream_state stream;
  FILE* file;

  bool writePages(bool flush) {
    ogg_page page;
    while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
      if (std::fwrite(page.header, 1, page.header_len, file) != static_cast<size_t>(page.header_len) ||
          std::fwrite(page.body, 1, page.body_len, file) != static_cast<size_t>(page.body_len))
        return false;
    }
    return true;
  }

  bool writeHeaders() {
    ogg_packet id, comments, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &id, &comments, &codebooks);
    ogg_stream_packetin(&stream, &id);
    ogg_stream_packetin(&stream, &comments);
    ogg_stream_packetin(&stream, &codebooks);
    return writePages(true);
  }

  bool drain() {
    ogg_packet packet;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
        ogg_stream_packetin(&stream, &packet);
        if (!writePages(false)) return false;
      }
    }
    return true;
  }

  void feed(const AudioBuffer& buffer, long from, long count) {
    float** channels = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
    for (long i = 0; i < count; ++i)
      for (int c = 0; c < buffer.channels; ++c)
        channels[c][i] = buffer.samples[(from + i) * buffer.channels + c];
    vorbis_analysis_wrote(&dsp, static_cast<int>(count));
  }
};

}  // namespace

bool writeOgg(const AudioBuffer& buffer, const std::string& path, int serial, float quality) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  Encoder e;
  e.file = file;
  vorbis_info_init(&e.info);
  bool ok = vorbis_encode_init_vbr(&e.info, buffer.channels, buffer.rate, quality) == 0;
  if (ok) {
    vorbis_comment_init(&e.comment);
    vorbis_analysis_init(&e.dsp, &e.info);
    vorbis_block_init(&e.dsp, &e.block);
    ogg_stream_init(&e.stream, serial);
    ok = e.writeHeaders();
    for (long at = 0; ok && at < buffer.frames(); at += kChunkFrames) {
      e.feed(buffer, at, std::min(kChunkFrames, buffer.frames() - at));
      ok = e.drain();
    }
    vorbis_analysis_wrote(&e.dsp, 0);
    ok = ok && e.drain() && e.writePages(true);
    ogg_stream_clear(&e.stream);
    vorbis_block_clear(&e.block);
    vorbis_dsp_clear(&e.dsp);
    vorbis_comment_clear(&e.comment);
  }
  vorbis_info_clear(&e.info);
  return std::fclose(file) == 0 && ok;
}
