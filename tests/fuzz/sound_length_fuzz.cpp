// The lengths of WAV and MP3 files as a stranger's data folder may hold them: measured or
// refused, never read past their end.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/sound_length.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> file(data, data + size);
  (void)vormelda::WavLengthMs(file);
  (void)vormelda::Mp3LengthMs(file);
  return 0;
}
