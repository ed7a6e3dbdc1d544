// How long a sound file plays, read from its headers: WAV (RIFF PCM) and MP3 (MPEG audio frames).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vormelda {

std::optional<double> WavLengthMs(const std::vector<uint8_t>& bytes);
std::optional<double> Mp3LengthMs(const std::vector<uint8_t>& bytes);
// By content: RIFF/WAVE, else MPEG audio. Empty when it is neither.
std::optional<double> SoundLengthMs(const std::vector<uint8_t>& file);

}  // namespace vormelda
