#include "sound/voice_control.h"

#include <allegro.h>

#include <algorithm>

namespace voicecontrol {

namespace {

const int kMaxVolume = 100;
const int kMaxPan = 100;
const int kAllegroMax = 255;
const int kAllegroCentre = 128;

}  // namespace

int toAllegroVolume(int volume) {
  return std::clamp(volume, 0, kMaxVolume) * kAllegroMax / kMaxVolume;
}

int toAllegroPan(int pan) {
  // Allegro's centre is 128, so the two sides have different widths.
  int clamped = std::clamp(pan, -kMaxPan, kMaxPan);
  int width = clamped < 0 ? kAllegroCentre : kAllegroMax - kAllegroCentre;
  return kAllegroCentre + clamped * width / kMaxPan;
}

void apply(int voice, int rate, int volume, int pan) {
  if (voice < 0) return;
  if (rate > 0) voice_set_frequency(voice, rate);
  if (volume != kVolumeUnchanged) voice_set_volume(voice, toAllegroVolume(volume));
  if (pan != kPanUnchanged) voice_set_pan(voice, toAllegroPan(pan));
}

void slide(int voice, int rate, int volume, int pan, int milliseconds) {
  if (voice < 0) return;
  if (milliseconds <= 0) {
    apply(voice, rate, volume, pan);
    return;
  }
  if (rate > 0) voice_sweep_frequency(voice, milliseconds, rate);
  if (volume != kVolumeUnchanged) voice_ramp_volume(voice, milliseconds, toAllegroVolume(volume));
  if (pan != kPanUnchanged) voice_sweep_pan(voice, milliseconds, toAllegroPan(pan));
}

}  // namespace voicecontrol
