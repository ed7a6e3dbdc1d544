// The size a picture's header tells, for any bytes: read or not, never past the end.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/picture_size.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  (void)vormelda::PictureHeaderSize(std::vector<uint8_t>(data, data + size));
  return 0;
}
