#include "audio_capture.h"

#include <allegro.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "sound/sound_manager.h"
#include "support/test_support.h"
#include "synth/effect_recipe.h"
#include "synth/ogg_writer.h"

namespace audiotest {

namespace {

const char* const kCaptureFile = "capture.wav";
const double kTwoPi = 6.283185307179586;

void writeAlsaConfig() {
  std::string wav = testsupport::workDir() + "/" + kCaptureFile;
  testsupport::writeFile(testsupport::workDir() + "/.asoundrc",
                         "pcm.tidewell_capture {\n"
                         "  type plug\n"
                         "  slave { pcm \"tidewell_file\"; format S16_LE }\n"
                         "}\n"
                         "pcm.tidewell_file {\n"
                         "  type file\n"
                         "  slave.pcm \"tidewell_null\"\n"
                         "  file \"" + wav + "\"\n"
                         "  format \"wav\"\n"
                         "}\n"
                         "pcm.tidewell_null { type null }\n");
  setenv("HOME", testsupport::workDir().c_str(), 1);
}

void startAllegro(const char* device) {
  writeAlsaConfig();
  allegro_init();
  std::string config = std::string("[sound]\ndigi_card = ALSA\nalsa_device = ") + device + "\n";
  override_config_data(config.c_str(), static_cast<int>(config.size()));
}

uint32_t readLe(const std::string& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace

void startAllegroWithCapture() { startAllegro("tidewell_capture"); }

void startAllegroWithoutDevice() { startAllegro("tidewell_no_such_device"); }

void writeTone(const std::string& path, double hz, double seconds) {
  AudioBuffer buffer;
  std::string error;
  std::string recipe = "voice wave=sine attack=0.002 release=0.002 sustain=1 freq=" +
                       std::to_string(hz) + " dur=" + std::to_string(seconds) + "\n";
  if (!renderEffect(recipe, buffer, error) || !writeOgg(buffer, path, 1)) std::abort();
}

void drive(SoundManager& sound, double seconds) {
  using Clock = std::chrono::steady_clock;
  Clock::time_point start = Clock::now();
  Clock::time_point last = start;
  while (std::chrono::duration<double>(Clock::now() - start).count() < seconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    Clock::time_point now = Clock::now();
    sound.update(std::chrono::duration<float>(now - last).count());
    last = now;
  }
}

Capture readCapture() {
  std::string bytes = testsupport::readFile(kCaptureFile);
  Capture capture;
  size_t at = 12;
  int channels = 0;
  // Chunk sizes in the header may be stale; the data runs to the end.
  while (at + 8 <= bytes.size()) {
    std::string id = bytes.substr(at, 4);
    uint32_t size = readLe(bytes, at + 4, 4);
    if (id == "fmt ") {
      channels = static_cast<int>(readLe(bytes, at + 10, 2));
      capture.rate = static_cast<int>(readLe(bytes, at + 12, 4));
    }
    if (id == "data") {
      at += 8;
      break;
    }
    at += 8 + size;
  }
  if (channels != 2) return capture;
  for (; at + 4 <= bytes.size(); at += 4) {
    capture.left.push_back(static_cast<int16_t>(readLe(bytes, at, 2)) / 32768.0f);
    capture.right.push_back(static_cast<int16_t>(readLe(bytes, at + 2, 2)) / 32768.0f);
  }
  return capture;
}

size_t Capture::onset(float threshold) const {
  for (size_t i = 0; i < left.size(); ++i)
    if (std::fabs(left[i]) > threshold || std::fabs(right[i]) > threshold) return i;
  return left.size();
}

double rms(const std::vector<float>& samples, size_t from, size_t to) {
  to = std::min(to, samples.size());
  if (from >= to) return 0.0;
  double sum = 0.0;
  for (size_t i = from; i < to; ++i) sum += samples[i] * samples[i];
  return std::sqrt(sum / (to - from));
}

double zeroCrossingHz(const std::vector<float>& samples, size_t from, size_t to, int rate) {
  to = std::min(to, samples.size());
  if (from + 1 >= to || rate <= 0) return 0.0;
  int crossings = 0;
  for (size_t i = from + 1; i < to; ++i)
    if ((samples[i - 1] < 0.0f) != (samples[i] < 0.0f)) ++crossings;
  return crossings * 0.5 * rate / (to - from);
}

double toneLevel(const std::vector<float>& samples, size_t from, size_t to, double hz,
                 int rate) {
  to = std::min(to, samples.size());
  if (from >= to || rate <= 0) return 0.0;
  double coefficient = 2.0 * std::cos(kTwoPi * hz / rate);
  double s1 = 0.0, s2 = 0.0;
  for (size_t i = from; i < to; ++i) {
    double s0 = samples[i] + coefficient * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
  return 2.0 * std::sqrt(std::max(power, 0.0)) / (to - from);
}

}  // namespace audiotest
