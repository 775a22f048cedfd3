#pragma once
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "sound/audio_device.h"

// The game's only door to audio: effects by name, one music track at a time
// and the two user volumes kept in "volume.cfg". Exactly one exists, made by
// the engine right after Allegro starts. Main thread only. With no audio
// device every operation returns at once and the game stays silent.
class SoundManager {
 public:
  // Opens the audio output and reads "volume.cfg".
  SoundManager();
  ~SoundManager();
  SoundManager(const SoundManager&) = delete;
  SoundManager& operator=(const SoundManager&) = delete;

  // Loads every file folder + "*" + extension below the base directory.
  void loadSamples(const std::string& folder, const std::string& extension);
  // Plays an effect by bare name. volume 0–255 (scaled by sfxVolume), pan
  // −255…255, pitch in thousandths of the sample's own rate. Returns the
  // channel, 0 when nothing plays.
  unsigned playSample(const std::string& name, int volume, int pan, int pitch, bool loop);
  // playSample, unless name played less than its cooldown (seconds) ago.
  void playSampleThrottled(const std::string& name, float cooldown, int volume, int pan,
                           int pitch, bool loop);

  // Replaces the music by the file at path (restarting it if it is the same).
  void playMusic(const std::string& path, bool loop);
  // playMusic unless path is already the current track.
  void switchMusic(const std::string& path, bool loop);
  void stopMusic();
  // Glides the music to pitch thousandths of 44100 Hz over seconds.
  void slideMusic(int pitch, float seconds);

  // Both clamp to 0–255; the effects volume applies from the next playSample.
  void setMusicVolume(int volume);
  void setSfxVolume(int volume);
  // Writes "volume.cfg".
  void saveVolumes();

  // Once per frame: keeps the music fed and counts the cooldowns down.
  void update(float dt);

  bool initialized = false;
  int sfxVolume = 255;
  float musicVolume = 255.0f;
  // Full effect path → sample handle (0 when it failed to load).
  std::map<std::string, unsigned> samples;
  // Effect name → seconds left before it may play again.
  std::map<std::string, float> cooldowns;
  unsigned musicStream = 0;
  std::string currentMusic;
  std::string sfxFolder = "sfx/";
  std::string sfxExtension = ".ogg";

  // Test seam: when set, every effect asked for is recorded here, whether
  // or not a device plays it.
  struct PlayRequest {
    std::string name;
    int volume, pan, pitch;
  };
  std::vector<PlayRequest>* requestLog = nullptr;

  // The output layer, open to tests and tools that need to look below.
  AudioDevice& device() { return audio; }

 private:
  void loadVolumes();
  void loadSample(const std::string& path);
  static int onSampleFile(const char* path, int attributes, void* manager);

  AudioDevice audio;
};

// The two volumes of "volume.cfg" (effects, then music), each clamped to
// 0..255; -1 for a value the text does not hold.
struct StoredVolumes {
  int sfx = -1;
  int music = -1;
};
StoredVolumes readVolumes(std::istream& in);

// The single sound manager while one exists, else null.
extern SoundManager* soundManager;
