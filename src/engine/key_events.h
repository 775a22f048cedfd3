#pragma once
#include <vector>

// Key presses and releases as Allegro's keyboard driver reports them, so
// that a key that goes down and up between two passes of the main loop
// still counts once. The driver's thread only queues the events; the main
// loop takes them at the start of every pass, and the input maps read what
// that take counted until the next one.

struct KeyEvent {
  int code = 0;  // Allegro scancode, 1 .. KEY_MAX - 1
  bool down = false;
};

// The presses and releases of one input code counted by the takes so far.
// A held key's repeats are no presses, so the two alternate.
struct KeyTally {
  unsigned presses = 0, releases = 0;
  bool down() const { return presses != releases; }
};

// Sets and clears Allegro's keyboard_lowlevel_callback; after
// install_keyboard and before allegro_exit.
void hookKeyEvents();
void unhookKeyEvents();
// The callback: a scancode, with bit 0x80 set on release. Any thread.
void queueKeyEvent(int scancode);
// What the keyboard driver does for a key: sets Allegro's key array, then
// reports the change. Demos and tests press keys through it.
void injectKeyEvent(int code, bool down);

// Once per pass, before any input is read: applies the queued events.
void takeKeyEvents();
// The events the last take applied, in order, repeats left out.
const std::vector<KeyEvent>& takenKeyEvents();
// Counts as of the last take, for a scancode or kAnyKey (the first key
// going down is its press, the last one coming up its release).
KeyTally keyTally(int code);
// Counts the takes; an input map polled in every pass sees every serial.
unsigned keyPassSerial();

// Whether a key code (or kAnyKey) reads as down: from Allegro's key array,
// or, for demos, from the taken events only, so that a key changes only as
// a pass starts, exactly as it was recorded.
bool keyLevel(int code);
void readKeysFromEventsOnly(bool on);
// Every key up and the queue emptied, as a demo starts.
void releaseAllKeyEvents();
