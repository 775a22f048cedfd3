#pragma once
#include <string>
#include <vector>

class SoundManager;

// Real audio output for tests: ALSA's file plugin records everything the
// game plays into a WAV file in the test's working directory.
namespace audiotest {

// Points ALSA (through $HOME/.asoundrc) and Allegro's digital sound at the
// recording device, then starts Allegro. Call before making a SoundManager.
void startAllegroWithCapture();
// The same, but Allegro is pointed at an ALSA device that does not exist.
void startAllegroWithoutDevice();

// Writes a mono sine tone as an Ogg file.
void writeTone(const std::string& path, double hz, double seconds);

// Runs the game's side for about seconds of real time: update(dt) with the
// elapsed time, as the main loop would, so the mixer thread keeps going.
void drive(SoundManager& sound, double seconds);

struct Capture {
  int rate = 0;
  std::vector<float> left, right;
  // First frame louder than threshold in either channel, or size().
  size_t onset(float threshold = 0.01f) const;
  size_t size() const { return left.size(); }
};
// Reads the recording; the sound manager must be gone so the file is closed.
Capture readCapture();

double rms(const std::vector<float>& samples, size_t from, size_t to);
// Frequency estimated from the zero crossings between from and to.
double zeroCrossingHz(const std::vector<float>& samples, size_t from, size_t to, int rate);
// Amplitude of the hz component between from and to (Goertzel).
double toneLevel(const std::vector<float>& samples, size_t from, size_t to, double hz,
                 int rate);

}  // namespace audiotest
