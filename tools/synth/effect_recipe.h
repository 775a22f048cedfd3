#pragma once
#include <string>

#include "synth/synth_voice.h"

// An effect recipe is text, one command a line ('#' starts a comment):
//   voice key=value ...   one sound event (keys as in SynthVoice: wave,
//                         start, dur, freq, to, sweep, attack, decay,
//                         sustain, release, gain, pan, vibrato, vdepth,
//                         tremolo, tdepth, duty, lowpass, highpass, seed,
//                         repeat, every, step, fade)
//   peak P                loudest sample after rendering (default 0.9)
// Rendered mono at 44.1 kHz, as long as its longest voice.
// False with "line N: message" in error for a bad recipe.
bool renderEffect(const std::string& text, AudioBuffer& out, std::string& error);

// Splits "key=value" words; shared with the score reader.
bool splitSetting(const std::string& word, std::string& key, std::string& value);
