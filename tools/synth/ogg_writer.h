#pragma once
#include <string>

#include "synth/synth_voice.h"

// Encodes the buffer as Ogg Vorbis (quality 0–1). The same buffer and
// serial always give the same bytes. False when the file cannot be written.
bool writeOgg(const AudioBuffer& buffer, const std::string& path, int serial,
              float quality = 0.4f);
