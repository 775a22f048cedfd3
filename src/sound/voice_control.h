#pragma once

// Channel attributes in the audio layer's units, applied to Allegro voices.
// Volume 0–100, pan −100 (left) … 100 (right), rate in Hz.
namespace voicecontrol {

const int kRateUnchanged = -1;
const int kVolumeUnchanged = -1;
const int kPanUnchanged = -101;

// Allegro's ranges: volume and pan 0–255 (pan 128 is the centre).
int toAllegroVolume(int volume);
int toAllegroPan(int pan);

// Sets the given attributes at once; the "unchanged" values leave one alone.
void apply(int voice, int rate, int volume, int pan);
// Glides the given attributes over milliseconds (at once when ms <= 0).
void slide(int voice, int rate, int volume, int pan, int milliseconds);

}  // namespace voicecontrol
