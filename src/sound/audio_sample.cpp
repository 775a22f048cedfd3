#include "sound/audio_sample.h"

#include <allegro.h>

#include <algorithm>
#include <vector>

#include "sound/ogg_decoder.h"
#include "sound/voice_control.h"

namespace {

// Effects are short; anything longer is still read, just in steps.
const int kDecodeChunkFrames = 16384;

SAMPLE* decodeWhole(OggDecoder& decoder) {
  std::vector<unsigned short> frames;
  std::vector<unsigned short> chunk(kDecodeChunkFrames * decoder.channels());
  int got = 0;
  while ((got = decoder.read(chunk.data(), kDecodeChunkFrames)) > 0)
    frames.insert(frames.end(), chunk.begin(), chunk.begin() + got * decoder.channels());
  long length = static_cast<long>(frames.size()) / decoder.channels();
  if (length == 0) return nullptr;
  SAMPLE* sample = create_sample(16, decoder.channels() == 2, decoder.rate(), length);
  if (!sample) return nullptr;
  std::copy(frames.begin(), frames.end(), static_cast<unsigned short*>(sample->data));
  return sample;
}

}  // namespace

std::unique_ptr<AudioSample> AudioSample::load(const std::string& path, int maxPlaybacks) {
  OggDecoder decoder;
  if (!decoder.open(path)) return nullptr;
  SAMPLE* data = decodeWhole(decoder);
  if (!data) return nullptr;
  return std::unique_ptr<AudioSample>(new AudioSample(data, maxPlaybacks));
}

AudioSample::AudioSample(SAMPLE* data, int maxPlaybacks)
    : data(data), maxPlaybacks(maxPlaybacks < 1 ? 1 : static_cast<size_t>(maxPlaybacks)) {}

AudioSample::~AudioSample() {
  while (!playbacks.empty()) release(0);
  destroy_sample(data);
}

int AudioSample::rate() const { return data->freq; }

long AudioSample::frames() const { return static_cast<long>(data->len); }

bool AudioSample::owns(const Playback& playback) const {
  // Another sample may have been handed this voice after ours ended.
  return voice_check(playback.voice) == data;
}

void AudioSample::release(size_t slot) {
  if (owns(playbacks[slot])) deallocate_voice(playbacks[slot].voice);
  playbacks.erase(playbacks.begin() + slot);
}

void AudioSample::reclaimFinished() {
  for (size_t slot = playbacks.size(); slot-- > 0;) {
    const Playback& playback = playbacks[slot];
    if (!owns(playback) || voice_get_position(playback.voice) < 0) release(slot);
  }
}

int AudioSample::activePlaybacks() {
  reclaimFinished();
  return static_cast<int>(playbacks.size());
}

bool AudioSample::play(unsigned channel, int rate, int volume, int pan, bool loop) {
  reclaimFinished();
  if (playbacks.size() >= maxPlaybacks) release(0);
  int voice = allocate_voice(data);
  if (voice < 0) return false;
  voice_set_playmode(voice, loop ? PLAYMODE_LOOP : PLAYMODE_PLAY);
  voicecontrol::apply(voice, rate, volume, pan);
  voice_start(voice);
  playbacks.push_back({channel, voice});
  return true;
}

int AudioSample::voiceOf(unsigned channel) {
  reclaimFinished();
  for (const Playback& playback : playbacks)
    if (playback.channel == channel) return playback.voice;
  return -1;
}

void AudioSample::stop(unsigned channel) {
  for (size_t slot = 0; slot < playbacks.size(); ++slot) {
    if (playbacks[slot].channel != channel) continue;
    release(slot);
    return;
  }
}
