// Enemy bullets. All pictures of one bullet share one mask, so each keeps the same round outline
// and only its inside changes. The small bullet (10 x 10) pulses in magenta, the medium one
// (16 x 16) is an orange ring whose four sparks turn a little with every picture.
#include <cmath>

#include "raster.hpp"
#include "sprites.hpp"

namespace vormelda::datagen {

Canvas MakeSmallBullet(int picture) {
  // Brightness of the core by picture: the animation plays 1 2 3 2 1 4 5 4, so 3 is the
  // brightest swell and 5 the dimmest.
  static constexpr double kCore[] = {0.55, 0.75, 1.0, 0.4, 0.25};
  const double core = kCore[picture];
  Canvas c(10, 10);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      const double dx = x + 0.5 - 5.0;
      const double dy = y + 0.5 - 5.0;
      const double d = std::sqrt(dx * dx + dy * dy);
      if (d > 4.9) continue;
      if (d > 4.0) {
        c.Set(x, y, palette::kMagenta.At(0.2));  // dark rim, visible on bright ground
        continue;
      }
      // Highlight a little up and left of the centre.
      const double hx = dx + 0.8;
      const double hy = dy + 0.8;
      const double h = std::sqrt(hx * hx + hy * hy);
      const double t = 0.45 + core * 0.65 - h / 4.0 * 0.6;
      c.Set(x, y, palette::kMagenta.At(t));
    }
  }
  return c;
}

Canvas MakeMediumBullet(int picture) {
  const double angle = picture * (3.14159265358979 / 2.0) / 6.0;
  Canvas c(16, 16);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const double dx = x + 0.5 - 8.0;
      const double dy = y + 0.5 - 8.0;
      const double d = std::sqrt(dx * dx + dy * dy);
      if (d > 7.9) continue;
      Color col;
      if (d > 7.0) {
        col = palette::kFire.At(0.2);
      } else if (d < 3.2) {
        col = palette::kFire.At(1.0 - d / 3.2 * 0.3);  // white-yellow core
      } else {
        // Ring with four sparks.
        const double a = std::atan2(dy, dx) - angle;
        const double spark = std::pow(std::abs(std::cos(2.0 * a)), 6.0);
        col = palette::kFire.At(0.42 + 0.25 * (1.0 - std::abs(d - 5.0) / 2.0) + 0.45 * spark);
      }
      c.Set(x, y, col);
    }
  }
  return c;
}

}  // namespace vormelda::datagen
