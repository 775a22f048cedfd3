#pragma once
#include <map>
#include <memory>
#include <string>

class AudioSample;
class AudioStream;

// The game's audio layer over Allegro's digital sound: effects loaded whole
// with a cap on simultaneous playbacks, one-file music streams, channel
// attributes and glides. Handles are never 0; 0 means "none" everywhere.
// Units: volume 0–100, pan −100 (left) … 100 (right), rate in Hz; rate −1
// and volume −1 leave a value unchanged, and so does pan −101.
// Call from the main thread only.
class AudioDevice {
 public:
  AudioDevice();
  ~AudioDevice();
  AudioDevice(const AudioDevice&) = delete;
  AudioDevice& operator=(const AudioDevice&) = delete;

  // Opens the output (installing Allegro's timer if needed). False when no
  // device can be opened; then every other call does nothing.
  bool init();
  bool isOpen() const { return open; }
  // Stops all output and releases every sample and stream.
  void shutdown();

  // A sample playable maxPlaybacks times at once; 0 when it cannot be read.
  unsigned sampleLoad(const std::string& path, int maxPlaybacks);
  // The sample's own rate in Hz, 0 for an unknown handle.
  int sampleRate(unsigned sample) const;
  // Playbacks of the sample still running.
  int samplePlaybacks(unsigned sample);
  // Starts a playback (rate −1 = the sample's own); its channel, or 0.
  unsigned samplePlay(unsigned sample, int rate, int volume, int pan, bool loop);

  // A stream over an Ogg file, not yet playing; 0 when it cannot be opened.
  unsigned streamCreateFile(const std::string& path);
  // Starts the stream; false for an unknown handle or with no voice left.
  bool streamPlay(unsigned stream, bool flush, bool loop);
  // Stops and releases a stream; 0 and unknown handles are ignored.
  void streamFree(unsigned stream);

  // Immediate attribute change of a stream or a playing effect.
  bool channelSetAttributes(unsigned channel, int rate, int volume, int pan);
  // Timed glide to the given attributes.
  bool channelSlideAttributes(unsigned channel, int rate, int volume, int pan,
                              int milliseconds);
  bool channelStop(unsigned channel);
  bool channelIsPlaying(unsigned channel);

  // Feeds the streams and frees finished voices; call at least every frame.
  void update();

 private:
  unsigned nextHandle();
  AudioSample* findSample(unsigned handle) const;
  AudioStream* findStream(unsigned handle) const;
  int sampleVoice(unsigned channel);

  bool open = false;
  unsigned lastHandle = 0;
  std::map<unsigned, std::unique_ptr<AudioSample>> samples;
  std::map<unsigned, std::unique_ptr<AudioStream>> streams;
  // Playback channel → the sample it plays.
  std::map<unsigned, unsigned> channelSamples;
};
