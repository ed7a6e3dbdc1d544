#include "platform/window_layout.hpp"

#include <algorithm>
#include <cmath>

namespace vormelda {

int OpeningScale(int usableWidth, int usableHeight) {
  const int scale = std::min((usableWidth - kFrameAllowanceX) / kFieldWidth,
                             (usableHeight - kFrameAllowanceY) / kFieldHeight);
  return std::max(1, scale);
}

Rect FieldPlacement(int outputWidth, int outputHeight, int fieldWidth, int fieldHeight,
                    Scaling scaling) {
  const double fit = std::min(static_cast<double>(outputWidth) / fieldWidth,
                              static_cast<double>(outputHeight) / fieldHeight);
  const double scale = scaling == Scaling::Fill || fit < 1 ? fit : std::floor(fit);
  const int w = static_cast<int>(std::lround(fieldWidth * scale));
  const int h = static_cast<int>(std::lround(fieldHeight * scale));
  return {(outputWidth - w) / 2, (outputHeight - h) / 2, w, h};
}

}  // namespace vormelda
