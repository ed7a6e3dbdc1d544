// MP3 files through libmp3lame: 44.1 kHz joint stereo at 160 kbit/s, with the encoder's
// information frame first (so players can trim the encoder's padding) and no ID3 tag.
#pragma once

#include <string>

#include "sequencer.hpp"

namespace vormelda::datagen {

// Throws std::runtime_error on an encoder or write error.
void WriteMp3(const std::string& path, const Stereo& sound);

}  // namespace vormelda::datagen
