// Writes pictures as PNG: an Image in full colour or as a palette (the .pic files are PNG
// inside), a Canvas with its transparency (the icons).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.hpp"

namespace vormelda::datagen {

// Throws std::runtime_error when the file cannot be written.
void WritePng(const std::string& path, const Image& image);
void WritePngWithAlpha(const std::string& path, const Canvas& canvas);
// The same PNG as bytes in memory.
std::vector<uint8_t> PngWithAlpha(const Canvas& canvas);

}  // namespace vormelda::datagen
