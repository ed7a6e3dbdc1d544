// The PNG pictures the game ships, read straight into the field's pixels: palette pictures of 1,
// 2, 4 or 8 bits and 8-bit RGB, not interlaced. The image library would widen a palette picture
// to bytes of red, green and blue first, three times the memory and two more passes over it, which
// is most of the start-up of the browser's single thread.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/surface.hpp"

namespace vormelda {

// True with `out` written, opaque, when the file is such a PNG and whole. False, with `out`
// untouched, for anything else (another format, another kind of PNG, a broken one): the image
// library then reads it, or says why not, as it always did.
bool ReadPlainPng(const std::vector<uint8_t>& file, Surface& out);

}  // namespace vormelda
