#include "engine/key_events.h"

#include <allegro.h>

#include <array>
#include <atomic>

#include "engine/input_map.h"

namespace {

const int kReleaseBit = 0x80;
const int kScancodeMask = 0x7f;
// Events between two passes; a stalled pass drops the surplus, never more
// than a hand can type in one.
const unsigned kQueueSize = 512;

// One writer (the driver's thread), one reader (the main loop).
std::array<int, kQueueSize> queue;
std::atomic<unsigned> queueHead{0}, queueTail{0};

std::array<KeyTally, KEY_MAX> tallies;
KeyTally anyKeyTally;
int keysDown = 0;  // of codes below kKeyCodeCount, by the events
unsigned passSerial = 0;
bool eventsOnly = false;
std::vector<KeyEvent> taken;

void applyEvent(int code, bool down) {
  if (code <= 0 || code >= KEY_MAX) return;
  KeyTally& tally = tallies[code];
  if (tally.down() == down) return;  // a held key's repeat, or an unseen key let go
  (down ? tally.presses : tally.releases) += 1;
  taken.push_back({code, down});
  if (code >= kKeyCodeCount) return;
  keysDown += down ? 1 : -1;
  if (down && keysDown == 1) anyKeyTally.presses += 1;
  if (!down && keysDown == 0) anyKeyTally.releases += 1;
}

bool anyKeyInArray() {
  for (int code = 0; code < kKeyCodeCount; ++code)
    if (key[code]) return true;
  return false;
}

}  // namespace

void hookKeyEvents() { keyboard_lowlevel_callback = queueKeyEvent; }

void unhookKeyEvents() {
  if (keyboard_lowlevel_callback == queueKeyEvent) keyboard_lowlevel_callback = nullptr;
}

void queueKeyEvent(int scancode) {
  unsigned tail = queueTail.load(std::memory_order_relaxed);
  if (tail - queueHead.load(std::memory_order_acquire) >= kQueueSize) return;
  queue[tail % kQueueSize] = scancode;
  queueTail.store(tail + 1, std::memory_order_release);
}

void injectKeyEvent(int code, bool down) {
  if (code <= 0 || code >= KEY_MAX) return;
  key[code] = down ? -1 : 0;
  queueKeyEvent(down ? code : code | kReleaseBit);
}

void takeKeyEvents() {
  taken.clear();
  passSerial += 1;
  unsigned head = queueHead.load(std::memory_order_relaxed);
  unsigned tail = queueTail.load(std::memory_order_acquire);
  for (; head != tail; ++head) {
    int scancode = queue[head % kQueueSize];
    applyEvent(scancode & kScancodeMask, (scancode & kReleaseBit) == 0);
  }
  queueHead.store(head, std::memory_order_release);
}

const std::vector<KeyEvent>& takenKeyEvents() { return taken; }

KeyTally keyTally(int code) {
  if (code == kAnyKey) return anyKeyTally;
  return code > 0 && code < KEY_MAX ? tallies[code] : KeyTally{};
}

unsigned keyPassSerial() { return passSerial; }

bool keyLevel(int code) {
  if (eventsOnly) return keyTally(code).down();
  if (code == kAnyKey) return anyKeyInArray();
  return code >= 0 && code < KEY_MAX && key[code] != 0;
}

void readKeysFromEventsOnly(bool on) { eventsOnly = on; }

void releaseAllKeyEvents() {
  queueHead.store(queueTail.load(std::memory_order_acquire), std::memory_order_release);
  for (int code = 1; code < KEY_MAX; ++code)
    if (tallies[code].down()) applyEvent(code, false);
  taken.clear();
}
