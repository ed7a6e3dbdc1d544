// The contact sheet: every picture of the sprite sheet at twice its size on a checkered ground,
// drawn through its mask as the game draws it (ground AND mask, then OR image; pictures
// without a mask opaque), each with its name above it, laid out row by row.
#pragma once

#include <string>
#include <vector>

#include "image.hpp"
#include "render/sprite_sheet.hpp"

namespace vormelda::datagen {

inline constexpr int kContactScale = 2;
inline constexpr int kContactSheetWidth = 1280;

struct ContactCell {
  Sprite sprite;
  int x, y;  // top-left corner of the enlarged picture on the contact sheet
};

// Where each picture of the sprite sheet goes, in the table's order.
std::vector<ContactCell> ContactSheetCells();

// The checkered ground at (x, y) of an enlarged picture, from its top-left corner.
Color ContactGround(int x, int y);

// Draws the contact sheet from a sprite sheet laid out as the table says.
Image BuildContactSheet(const Image& spriteSheet);

// Builds the sprite sheet and writes its contact sheet as a PNG. Throws on a write error.
void WriteContactSheet(const std::string& path);

}  // namespace vormelda::datagen
