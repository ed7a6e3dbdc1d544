// The size a picture's header tells, for any bytes: read or not, never past the end. Then the
// game's own PNG reader, on pictures of a size the game would take (smaller here, to keep the
// runs many): read or refused, never past the end of the file or of the picture.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/picture_size.hpp"
#include "platform/png_pixels.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> file(data, data + size);
  const auto header = vormelda::PictureHeaderSize(file);
  if (header && header->width <= 1024 && header->height <= 1024) {
    vormelda::Surface picture;
    (void)vormelda::ReadPlainPng(file, picture);
  }
  return 0;
}
