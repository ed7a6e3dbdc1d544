// 16-bit PCM WAV files at 44.1 kHz.
#pragma once

#include <string>

#include "synth.hpp"

namespace vormelda::datagen {

// Writes mono samples in [-1, 1]; throws std::runtime_error on a write error.
void WriteWav(const std::string& path, const Samples& mono);

}  // namespace vormelda::datagen
