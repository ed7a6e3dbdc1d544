// The window's arithmetic, apart from any window: the scale it opens at, and where the play field
// lies in it.
#pragma once

#include "platform/geometry.hpp"

namespace vormelda {

// Room left for the caption bar and the frame the window manager adds.
inline constexpr int kFrameAllowanceX = 8;
inline constexpr int kFrameAllowanceY = 40;

// The largest whole-number scale at which the field and the window's frame fit the usable area of
// the display; at least 1.
int OpeningScale(int usableWidth, int usableHeight);

// How the field fills the window: by the largest whole number of pixels per field pixel that
// fits, centred on black; or as large as fits with its shape kept, sharp (enlarged by the next
// whole number with the nearest pixels, then shrunk to fit with smooth filtering, so that pixels
// stay crisp and even) or smooth (filtered straight to the size). F10 goes round them in order.
enum class Scaling { Sharp, SharpFill, SmoothFill };
Scaling NextScaling(Scaling scaling);

// The scaling a window of this many pixels gets when the player chose none: sharp, unless the
// largest whole-number scale would leave more than a quarter of the height unused (1080 lines
// show 560 at scale 1), where the field fills the height, sharp.
Scaling DefaultScaling(int outputWidth, int outputHeight, int fieldWidth, int fieldHeight);

// The field's rectangle in a window of output pixels, centred. Sharp scaling falls back to the
// fitting size when the window is too small for even one pixel per field pixel.
Rect FieldPlacement(int outputWidth, int outputHeight, int fieldWidth, int fieldHeight,
                    Scaling scaling);

// For sharp fill: the whole number the field is first enlarged by, the next one up from the size
// it is shown at (at least 1).
int SharpEnlargement(const Rect& placement, int fieldWidth, int fieldHeight);

}  // namespace vormelda
