// Writes an Image as a 24-bit RGB PNG (the .pic files are PNG inside).
#pragma once

#include <string>

#include "image.hpp"

namespace vormelda::datagen {

// Throws std::runtime_error when the file cannot be written.
void WritePng(const std::string& path, const Image& image);

}  // namespace vormelda::datagen
