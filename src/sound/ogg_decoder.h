#pragma once
#include <string>

struct OggVorbis_File;

// Reads an Ogg Vorbis file piece by piece as Allegro sample data (unsigned
// 16-bit, interleaved, at most two channels: extra channels are dropped).
class OggDecoder {
 public:
  OggDecoder();
  ~OggDecoder();
  OggDecoder(const OggDecoder&) = delete;
  OggDecoder& operator=(const OggDecoder&) = delete;

  // False (and nothing open) when the file is missing or not Ogg Vorbis.
  bool open(const std::string& path);
  bool isOpen() const { return file != nullptr; }

  int rate() const { return sampleRate; }
  int channels() const { return outputChannels; }
  // Length in frames, or -1 when the file does not say.
  long totalFrames() const;

  // Decodes up to frames frames into out (frames × channels() values).
  // Returns the frames written; 0 at the end of the file or on a fault.
  int read(unsigned short* out, int frames);
  // Back to the first frame; false when the file cannot seek.
  bool rewind();

 private:
  OggVorbis_File* file = nullptr;
  int sampleRate = 0;
  int outputChannels = 0;
};
