#include "platform/window_layout.hpp"

#include <algorithm>
#include <cmath>

namespace vormelda {

int OpeningScale(int usableWidth, int usableHeight) {
  const int scale = std::min((usableWidth - kFrameAllowanceX) / kFieldWidth,
                             (usableHeight - kFrameAllowanceY) / kFieldHeight);
  return std::max(1, scale);
}

Scaling NextScaling(Scaling scaling) {
  switch (scaling) {
    case Scaling::Sharp:
      return Scaling::SharpFill;
    case Scaling::SharpFill:
      return Scaling::SmoothFill;
    case Scaling::SmoothFill:
      break;
  }
  return Scaling::Sharp;
}

Scaling DefaultScaling(int outputWidth, int outputHeight, int fieldWidth, int fieldHeight) {
  const Rect sharp =
      FieldPlacement(outputWidth, outputHeight, fieldWidth, fieldHeight, Scaling::Sharp);
  return 4 * (outputHeight - sharp.h) > outputHeight ? Scaling::SharpFill : Scaling::Sharp;
}

Rect FieldPlacement(int outputWidth, int outputHeight, int fieldWidth, int fieldHeight,
                    Scaling scaling) {
  const double fit = std::min(static_cast<double>(outputWidth) / fieldWidth,
                              static_cast<double>(outputHeight) / fieldHeight);
  const double scale = scaling != Scaling::Sharp || fit < 1 ? fit : std::floor(fit);
  const int w = static_cast<int>(std::lround(fieldWidth * scale));
  const int h = static_cast<int>(std::lround(fieldHeight * scale));
  return {(outputWidth - w) / 2, (outputHeight - h) / 2, w, h};
}

int SharpEnlargement(const Rect& placement, int fieldWidth, int fieldHeight) {
  const int across = (placement.w + fieldWidth - 1) / fieldWidth;
  const int down = (placement.h + fieldHeight - 1) / fieldHeight;
  return std::max({1, across, down});
}

}  // namespace vormelda
