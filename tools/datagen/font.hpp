// The game's pixel fonts: a 5 x 7 font for every text picture and a 3 x 5 font for the smallest
// label. Text is drawn scaled by whole pixels, filled from a ramp (lighter at the top), with a
// dark outline.
#pragma once

#include <string_view>

#include "color.hpp"
#include "image.hpp"

namespace vormelda::datagen {

struct TextStyle {
  int scaleX = 1;
  int scaleY = 1;
  int spacing = 1;             // blank pixels between letters
  const Ramp* ramp = nullptr;  // fill, top to bottom from light to dark
  double top = 0.95;           // ramp position at the top and the bottom of a letter
  double bottom = 0.45;
  bool outline = true;
  bool smallFont = false;  // the 3 x 5 font
  int shadow = 0;          // drop shadow offset down and right, in pixels
  Color shadowColor = 0x1A0F2E;
};

// Size of a text in pixels, outline included.
int TextWidth(std::string_view text, const TextStyle& style);
int TextHeight(const TextStyle& style);

// Draws text with the top-left corner of its outline box at (x, y).
void DrawText(Canvas& canvas, int x, int y, std::string_view text, const TextStyle& style);

// Draws text centred horizontally in the canvas.
void DrawTextCentred(Canvas& canvas, int y, std::string_view text, const TextStyle& style);

}  // namespace vormelda::datagen
