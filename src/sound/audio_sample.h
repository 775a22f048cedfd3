#pragma once
#include <memory>
#include <string>
#include <vector>

struct SAMPLE;

// One effect decoded whole into memory, with a fixed number of playback
// slots: when all are busy, the playback that has run longest is cut off
// and its slot reused.
class AudioSample {
 public:
  // Null when the file cannot be decoded.
  static std::unique_ptr<AudioSample> load(const std::string& path, int maxPlaybacks);
  ~AudioSample();
  AudioSample(const AudioSample&) = delete;
  AudioSample& operator=(const AudioSample&) = delete;

  // The sample's own rate in Hz.
  int rate() const;
  long frames() const;

  // Starts a playback tagged channel (volume 0–100, pan −100…100, rate in
  // Hz or −1 for the own rate). False when no voice could be had.
  bool play(unsigned channel, int rate, int volume, int pan, bool loop);
  // Ends the playback tagged channel and frees its slot.
  void stop(unsigned channel);
  // The Allegro voice still playing channel, or −1.
  int voiceOf(unsigned channel);
  // Frees the slots whose playback has ended.
  void reclaimFinished();
  int activePlaybacks();

 private:
  struct Playback {
    unsigned channel;
    int voice;
  };

  AudioSample(SAMPLE* data, int maxPlaybacks);
  bool owns(const Playback& playback) const;
  void release(size_t slot);

  SAMPLE* data;
  size_t maxPlaybacks;
  // Oldest first.
  std::vector<Playback> playbacks;
};
