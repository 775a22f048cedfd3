#pragma once
#include <string>

#include "synth/synth_voice.h"

// A score is text, one command a line ('#' starts a comment):
//   tempo BPM                   beats per minute; one step is a sixteenth
//   loop yes|no                 yes: the tune is a whole number of bars and
//                               notes ringing past the end sound at the
//                               start, so it loops without a seam (default)
//   bars N                      the tune's length; notes past it wrap round
//                               (loop yes) or are cut (loop no)
//   peak P                      loudest sample (default 0.85)
//   instrument NAME key=value…  voice settings for NAME's notes; legato=L
//                               is the share of a note's length held
//                               (default 0.9); with freq= the instrument
//                               has one fixed pitch (drums), played by "x"
//   pattern NAME tokens…        a reusable run of tokens (appends)
//   play NAME tokens…           appends tokens to instrument NAME's track
// Tokens: NOTE.STEPS with NOTE a pitch (C4, F#3, Bb5), several pitches
// joined by '+' (a chord), "x" (a hit) or "r" (a rest); ".STEPS" may be
// left out to reuse the previous length. "@NAME" inserts a pattern,
// "@NAME*N" inserts it N times; "|" is ignored (bar lines).
// Rendered stereo at 44.1 kHz. False with "line N: message" for a bad score.
bool renderScore(const std::string& text, AudioBuffer& out, std::string& error);

// Hz of a pitch name such as "A4" (440) or "C#5"; false when unreadable.
bool pitchToFrequency(const std::string& name, double& hz);
