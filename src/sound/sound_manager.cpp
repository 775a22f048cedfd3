#include "sound/sound_manager.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "engine/game_paths.h"
#include "engine/log.h"
#include "engine/safe_file.h"
#include "sound/voice_control.h"

SoundManager* soundManager = nullptr;

namespace {

const char* const kVolumeFile = "volume.cfg";
const int kMaxUserVolume = 255;
const int kMaxLayerVolume = 100;
const int kMaxPlaybacksPerSample = 3;
const int kUnchangedPitch = 1000;
const double kMusicBaseRateHz = 44100.0;
// Files found by for_each_file_ex: no attribute required, none excluded.
const int kAnyAttributes = 0;
// Rates beyond this are no use to the mixer; the cap keeps the conversion
// to int defined for any pitch a caller passes.
const double kMaxRateHz = 1000000.0;

// Reads one whitespace-separated number; false for anything unparsable.
bool readNumber(std::istream& in, double& value) {
  std::string word;
  if (!(in >> word)) return false;
  char* end = nullptr;
  value = std::strtod(word.c_str(), &end);
  return end != word.c_str() && *end == '\0' && !std::isnan(value);
}

// Clamps before converting, so a huge number in the file cannot overflow.
int clampedVolume(double value) {
  return static_cast<int>(std::clamp(value, 0.0, static_cast<double>(kMaxUserVolume)));
}

int rateFor(int pitch, double baseRate) {
  return static_cast<int>(std::clamp(pitch * baseRate * 0.001, 0.0, kMaxRateHz));
}

}  // namespace

StoredVolumes readVolumes(std::istream& in) {
  StoredVolumes stored;
  double sfx = 0.0;
  double music = 0.0;
  // A damaged file keeps the defaults for whatever could not be read; the
  // music volume counts only after a readable effects volume.
  if (!readNumber(in, sfx)) return stored;
  stored.sfx = clampedVolume(sfx);
  if (readNumber(in, music)) stored.music = clampedVolume(music);
  return stored;
}

SoundManager::SoundManager() {
  soundManager = this;
  if (!audio.init()) {
    logInfo("Can't initialize digital sound system");
    return;
  }
  initialized = true;
  sfxVolume = kMaxUserVolume;
  musicVolume = static_cast<float>(kMaxUserVolume);
  loadVolumes();
}

SoundManager::~SoundManager() {
  if (initialized) audio.shutdown();
  if (soundManager == this) soundManager = nullptr;
}

void SoundManager::loadVolumes() {
  std::string path = configFile(kVolumeFile);
  if (!exists(path.c_str())) return;
  std::ifstream in(path);
  StoredVolumes stored = readVolumes(in);
  if (stored.music >= 0) setMusicVolume(stored.music);
  if (stored.sfx >= 0) setSfxVolume(stored.sfx);
  logInfo("loadedVolume");
}

void SoundManager::saveVolumes() {
  if (!initialized) return;
  std::ostringstream out;
  out << sfxVolume << ' ' << musicVolume << '\n';
  if (!writeFileSafely(configFile(kVolumeFile), out.str())) return;
  logInfo("savedVolume");
}

void SoundManager::loadSamples(const std::string& folder, const std::string& extension) {
  if (!initialized) return;
  sfxFolder = folder;
  sfxExtension = extension;
  std::string pattern = dataFile(folder + "*" + extension);
  for_each_file_ex(pattern.c_str(), kAnyAttributes, kAnyAttributes, onSampleFile, this);
}

int SoundManager::onSampleFile(const char* path, int attributes, void* manager) {
  (void)attributes;
  static_cast<SoundManager*>(manager)->loadSample(path);
  return 0;
}

void SoundManager::loadSample(const std::string& path) {
  if (sfxExtension != ".ogg") return;
  unsigned& handle = samples[path];
  handle = audio.sampleLoad(path, kMaxPlaybacksPerSample);
  if (handle == 0) log("Can't load sample [" + path + "]", true);
}

unsigned SoundManager::playSample(const std::string& name, int volume, int pan, int pitch,
                                  bool loop) {
  if (requestLog) requestLog->push_back({name, volume, pan, pitch});
  if (!initialized) return 0;
  unsigned handle = samples[dataFile(sfxFolder + name + sfxExtension)];
  // Out-of-range values end up clamped by the layer anyway; clamping first
  // keeps the integer arithmetic from overflowing.
  volume = std::clamp(volume, -kMaxUserVolume, kMaxUserVolume);
  pan = std::clamp(pan, -kMaxUserVolume, kMaxUserVolume);
  int layerVolume = (sfxVolume * kMaxLayerVolume / kMaxUserVolume) * volume / kMaxUserVolume;
  int layerPan = pan * kMaxLayerVolume / kMaxUserVolume;
  int rate = voicecontrol::kRateUnchanged;
  if (pitch != kUnchangedPitch) rate = rateFor(pitch, audio.sampleRate(handle));
  return audio.samplePlay(handle, rate, layerVolume, layerPan, loop);
}

void SoundManager::playSampleThrottled(const std::string& name, float cooldown, int volume,
                                       int pan, int pitch, bool loop) {
  if (!initialized) return;
  float& left = cooldowns[name];
  if (left != 0.0f) return;
  playSample(name, volume, pan, pitch, loop);
  // A negative (or NaN) cooldown would never count down to 0 and lock the
  // name for good.
  left = cooldown > 0.0f ? cooldown : 0.0f;
}

void SoundManager::playMusic(const std::string& path, bool loop) {
  if (!initialized) return;
  currentMusic = path;
  audio.streamFree(musicStream);
  musicStream = audio.streamCreateFile(dataFile(path));
  if (musicStream == 0) log("Can't create stream", true);
  if (!audio.streamPlay(musicStream, true, loop)) log("Can't play stream", true);
  setMusicVolume(static_cast<int>(musicVolume));
}

void SoundManager::switchMusic(const std::string& path, bool loop) {
  if (path != currentMusic) playMusic(path, loop);
}

void SoundManager::stopMusic() {
  if (!initialized || musicStream == 0) return;
  audio.channelStop(musicStream);
}

void SoundManager::slideMusic(int pitch, float seconds) {
  if (!initialized || musicStream == 0) return;
  int rate = rateFor(pitch, kMusicBaseRateHz);
  int volume = static_cast<int>(musicVolume * kMaxLayerVolume / kMaxUserVolume);
  int milliseconds = static_cast<int>(std::clamp(seconds * 1000.0f, 0.0f, 3600000.0f));
  audio.channelSlideAttributes(musicStream, rate, volume, voicecontrol::kPanUnchanged,
                               milliseconds);
}

void SoundManager::setMusicVolume(int volume) {
  if (!initialized) return;
  int clamped = std::clamp(volume, 0, kMaxUserVolume);
  musicVolume = static_cast<float>(clamped);
  if (musicStream == 0) return;
  audio.channelSetAttributes(musicStream, voicecontrol::kRateUnchanged,
                             clamped * kMaxLayerVolume / kMaxUserVolume, 0);
}

void SoundManager::setSfxVolume(int volume) {
  if (!initialized) return;
  sfxVolume = std::clamp(volume, 0, kMaxUserVolume);
}

void SoundManager::update(float dt) {
  if (!initialized) return;
  audio.update();
  setMusicVolume(static_cast<int>(musicVolume));
  for (auto& entry : cooldowns) {
    if (entry.second <= 0.0f) continue;
    entry.second -= dt;
    if (entry.second < 0.0f) entry.second = 0.0f;
  }
}
