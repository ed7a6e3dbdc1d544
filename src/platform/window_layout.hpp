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
// fits, or as large as fits with its shape kept.
enum class Scaling { Sharp, Fill };

// The field's rectangle in a window of output pixels, centred. Sharp scaling falls back to the
// fitting size when the window is too small for even one pixel per field pixel.
Rect FieldPlacement(int outputWidth, int outputHeight, int fieldWidth, int fieldHeight,
                    Scaling scaling);

}  // namespace vormelda
