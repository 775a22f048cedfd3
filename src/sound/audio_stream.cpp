#include "sound/audio_stream.h"

#include <allegro.h>

#include "sound/voice_control.h"

namespace {

// Frames per half of Allegro's double buffer: at 44.1 kHz about 0.19 s of
// music between two refills the main loop must make.
const int kStreamBufferFrames = 8192;
// The half holding the track's tail has played out once Allegro asks for
// the second buffer after it.
const int kSilentBuffersToEnd = 2;
const unsigned short kSilence = 0x8000;

}  // namespace

std::unique_ptr<AudioStream> AudioStream::open(const std::string& path) {
  std::unique_ptr<AudioStream> stream(new AudioStream());
  if (!stream->decoder.open(path)) return nullptr;
  return stream;
}

AudioStream::~AudioStream() { stop(); }

bool AudioStream::play(bool loop) {
  stop();
  looping = loop;
  ended = false;
  silentBuffers = 0;
  int volume = voicecontrol::toAllegroVolume(pendingVolume);
  int pan = voicecontrol::toAllegroPan(pendingPan);
  stream = play_audio_stream(kStreamBufferFrames, 16, decoder.channels() == 2,
                             decoder.rate(), volume, pan);
  if (!stream) return false;
  if (pendingRate > 0) voice_set_frequency(stream->voice, pendingRate);
  refill();
  return true;
}

void AudioStream::stop() {
  if (!stream) return;
  stop_audio_stream(stream);
  stream = nullptr;
}

bool AudioStream::isPlaying() const { return stream != nullptr; }

int AudioStream::voice() const { return stream ? stream->voice : -1; }

void AudioStream::setAttributes(int rate, int volume, int pan) {
  if (rate > 0) pendingRate = rate;
  if (volume != voicecontrol::kVolumeUnchanged) pendingVolume = volume;
  if (pan != voicecontrol::kPanUnchanged) pendingPan = pan;
  voicecontrol::apply(voice(), rate, volume, pan);
}

void AudioStream::slideAttributes(int rate, int volume, int pan, int milliseconds) {
  // A restart lands where the glide was going.
  if (rate > 0) pendingRate = rate;
  if (volume != voicecontrol::kVolumeUnchanged) pendingVolume = volume;
  if (pan != voicecontrol::kPanUnchanged) pendingPan = pan;
  voicecontrol::slide(voice(), rate, volume, pan, milliseconds);
}

void AudioStream::refill() {
  // Double buffered: after a long frame both halves may be waiting.
  for (int half = 0; half < 2 && stream; ++half) {
    void* buffer = get_audio_stream_buffer(stream);
    if (!buffer) return;
    fillBuffer(static_cast<unsigned short*>(buffer));
    free_audio_stream_buffer(stream);
    if (silentBuffers >= kSilentBuffersToEnd) stop();
  }
}

void AudioStream::fillBuffer(unsigned short* buffer) {
  int channels = decoder.channels();
  int got = ended ? 0 : decodeInto(buffer, kStreamBufferFrames);
  for (int i = got * channels; i < kStreamBufferFrames * channels; ++i) buffer[i] = kSilence;
  if (got == 0) ++silentBuffers;
}

int AudioStream::decodeInto(unsigned short* buffer, int frames) {
  int channels = decoder.channels();
  int written = 0;
  while (written < frames) {
    int got = decoder.read(buffer + written * channels, frames - written);
    if (got > 0) {
      written += got;
      continue;
    }
    // An empty or unseekable file ends even when looping, or this would spin.
    bool startedOver = looping && decoder.rewind() &&
                       decoder.read(buffer + written * channels, 1) == 1;
    if (!startedOver) {
      ended = true;
      break;
    }
    written += 1;
  }
  return written;
}
