#pragma once
#include <memory>
#include <string>

#include "sound/ogg_decoder.h"

struct AUDIOSTREAM;

// A music track decoded from its file a buffer at a time into an Allegro
// audio stream. Refilled only by refill(), from the main thread.
class AudioStream {
 public:
  // Null when the file cannot be opened as Ogg Vorbis.
  static std::unique_ptr<AudioStream> open(const std::string& path);
  ~AudioStream();
  AudioStream(const AudioStream&) = delete;
  AudioStream& operator=(const AudioStream&) = delete;

  // Starts (or restarts, dropping what was buffered) from the decoder's
  // position. With loop the file starts over at its end. False when Allegro
  // has no voice for it.
  bool play(bool loop);
  void stop();
  bool isPlaying() const;

  // Attributes in the layer's units (see voice_control.h). Before play they
  // are kept and applied when playback starts.
  void setAttributes(int rate, int volume, int pan);
  void slideAttributes(int rate, int volume, int pan, int milliseconds);

  // Hands the next decoded buffer to Allegro when one is free; stops the
  // voice once a non-looping track has played out.
  void refill();
  // The Allegro voice, or −1 when not playing.
  int voice() const;

 private:
  AudioStream() = default;
  void fillBuffer(unsigned short* buffer);
  int decodeInto(unsigned short* buffer, int frames);

  OggDecoder decoder;
  AUDIOSTREAM* stream = nullptr;
  bool looping = false;
  bool ended = false;
  // Buffers of pure silence handed over since the track ended.
  int silentBuffers = 0;
  int pendingRate = -1;
  int pendingVolume = 100;
  int pendingPan = 0;
};
