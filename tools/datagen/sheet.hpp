// The sprite sheet Picture/Character.pic.
#pragma once

#include "image.hpp"

namespace vormelda::datagen {

// Paints every picture of the sheet layout with its mask; everything else stays black.
Image BuildSpriteSheet();

}  // namespace vormelda::datagen
