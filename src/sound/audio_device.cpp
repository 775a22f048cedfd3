#include "sound/audio_device.h"

#include <allegro.h>

#include "sound/audio_sample.h"
#include "sound/audio_stream.h"
#include "sound/voice_control.h"

namespace {

// Enough for three playbacks of every busy effect plus the music; Allegro's
// mixer handles up to 64.
const int kMixerVoices = 64;

}  // namespace

AudioDevice::AudioDevice() = default;

AudioDevice::~AudioDevice() { shutdown(); }

bool AudioDevice::init() {
  if (open) return true;
  // Without a real system driver (tools, benchmarks, headless replays)
  // Allegro has no timer to mix with: stay silent.
  if (!system_driver || system_driver->id == SYSTEM_NONE) return false;
  // Allegro's sound needs its timer; installing it twice is harmless.
  if (install_timer() != 0) return false;
  reserve_voices(kMixerVoices, 0);
  if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0) return false;
  if (!digi_driver || digi_driver->id == DIGI_NONE) {
    remove_sound();
    return false;
  }
  open = true;
  return true;
}

void AudioDevice::shutdown() {
  if (!open) return;
  // Voices belong to the driver: release them before it goes.
  streams.clear();
  channelSamples.clear();
  samples.clear();
  remove_sound();
  open = false;
}

unsigned AudioDevice::nextHandle() {
  ++lastHandle;
  if (lastHandle == 0) ++lastHandle;
  return lastHandle;
}

AudioSample* AudioDevice::findSample(unsigned handle) const {
  auto found = samples.find(handle);
  return found == samples.end() ? nullptr : found->second.get();
}

AudioStream* AudioDevice::findStream(unsigned handle) const {
  auto found = streams.find(handle);
  return found == streams.end() ? nullptr : found->second.get();
}

unsigned AudioDevice::sampleLoad(const std::string& path, int maxPlaybacks) {
  if (!open) return 0;
  std::unique_ptr<AudioSample> sample = AudioSample::load(path, maxPlaybacks);
  if (!sample) return 0;
  unsigned handle = nextHandle();
  samples[handle] = std::move(sample);
  return handle;
}

int AudioDevice::sampleRate(unsigned sample) const {
  AudioSample* found = findSample(sample);
  return found ? found->rate() : 0;
}

int AudioDevice::samplePlaybacks(unsigned sample) {
  AudioSample* found = findSample(sample);
  return found ? found->activePlaybacks() : 0;
}

unsigned AudioDevice::samplePlay(unsigned sample, int rate, int volume, int pan, bool loop) {
  AudioSample* found = findSample(sample);
  if (!found || rate == 0 || rate < voicecontrol::kRateUnchanged) return 0;
  unsigned channel = nextHandle();
  if (!found->play(channel, rate, volume, pan, loop)) return 0;
  channelSamples[channel] = sample;
  return channel;
}

unsigned AudioDevice::streamCreateFile(const std::string& path) {
  if (!open) return 0;
  std::unique_ptr<AudioStream> stream = AudioStream::open(path);
  if (!stream) return 0;
  unsigned handle = nextHandle();
  streams[handle] = std::move(stream);
  return handle;
}

bool AudioDevice::streamPlay(unsigned stream, bool flush, bool loop) {
  AudioStream* found = findStream(stream);
  if (!found) return false;
  // Allegro's stream always starts from fresh buffers, so every start flushes.
  (void)flush;
  return found->play(loop);
}

void AudioDevice::streamFree(unsigned stream) { streams.erase(stream); }

int AudioDevice::sampleVoice(unsigned channel) {
  auto found = channelSamples.find(channel);
  if (found == channelSamples.end()) return -1;
  AudioSample* sample = findSample(found->second);
  return sample ? sample->voiceOf(channel) : -1;
}

bool AudioDevice::channelSetAttributes(unsigned channel, int rate, int volume, int pan) {
  if (AudioStream* stream = findStream(channel)) {
    stream->setAttributes(rate, volume, pan);
    return true;
  }
  int voice = sampleVoice(channel);
  if (voice < 0) return false;
  voicecontrol::apply(voice, rate, volume, pan);
  return true;
}

bool AudioDevice::channelSlideAttributes(unsigned channel, int rate, int volume, int pan,
                                         int milliseconds) {
  if (AudioStream* stream = findStream(channel)) {
    stream->slideAttributes(rate, volume, pan, milliseconds);
    return true;
  }
  int voice = sampleVoice(channel);
  if (voice < 0) return false;
  voicecontrol::slide(voice, rate, volume, pan, milliseconds);
  return true;
}

bool AudioDevice::channelStop(unsigned channel) {
  if (AudioStream* stream = findStream(channel)) {
    stream->stop();
    return true;
  }
  auto found = channelSamples.find(channel);
  if (found == channelSamples.end()) return false;
  if (AudioSample* sample = findSample(found->second)) sample->stop(channel);
  channelSamples.erase(found);
  return true;
}

bool AudioDevice::channelIsPlaying(unsigned channel) {
  if (AudioStream* stream = findStream(channel)) return stream->isPlaying();
  int voice = sampleVoice(channel);
  return voice >= 0 && voice_get_position(voice) >= 0;
}

void AudioDevice::update() {
  if (!open) return;
  for (auto& entry : streams) entry.second->refill();
  for (auto it = channelSamples.begin(); it != channelSamples.end();) {
    if (sampleVoice(it->first) < 0)
      it = channelSamples.erase(it);
    else
      ++it;
  }
}
