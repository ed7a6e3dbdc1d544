#include "fireball.hpp"

#include <algorithm>
#include <cmath>

#include "color.hpp"
#include "rng.hpp"

namespace vormelda::datagen {

void DrawFireball(Canvas& canvas, const Fireball& ball) {
  const double r = ball.radius;
  const int x0 = std::max(0, static_cast<int>(ball.cx - r * 1.5));
  const int x1 = std::min(canvas.Width() - 1, static_cast<int>(ball.cx + r * 1.5));
  const int y0 = std::max(0, static_cast<int>(ball.cy - r * 1.5));
  const int y1 = std::min(canvas.Height() - 1, static_cast<int>(ball.cy + r * 1.5));
  const double age = std::clamp(ball.age, 0.0, 1.0);
  // The middle burns out first, so old fireballs are rings of smoke.
  const double hole = age > 0.5 ? (age - 0.5) * 1.1 : 0.0;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const double dx = (x + 0.5 - ball.cx) / r;
      const double dy = (y + 0.5 - ball.cy) / r;
      const double d = std::sqrt(dx * dx + dy * dy);
      if (d > 1.6) continue;
      // Turbulence scaled with the ball, so the pattern swells as it grows.
      const double n = Fbm(ball.seed, dx * 0.9 + 3.0, dy * 0.9 + 3.0, 2.2, 4);
      const double edge = 1.0 + ball.turbulence * (n - 0.5) * 2.2;
      if (d > edge) continue;
      const double inner = d / edge;
      if (inner < hole * (0.7 + 0.6 * n)) continue;
      // Heat: hottest in the middle of a young ball, lit from the upper left.
      const double lit = 0.12 * (-dx - dy);
      const double heat =
          (1.3 - 1.2 * age) * std::pow(1.0 - inner, 0.5) + 0.3 * (n - 0.5) + lit - 0.04;
      Color col;
      if (heat > 0.3) {
        col = palette::kFire.At(heat);
      } else {
        // Puffs of smoke that shrink with age; only their rims are dithered.
        const double density = 1.4 * (1.0 - age * age) + 0.3 - inner * 0.5 + (n - 0.5) * 1.3;
        if (density < 0.3 + 0.12 * Bayer4(x, y)) continue;
        col = palette::kSmoke.At(0.3 + heat * 0.8 + 0.3 * (n - 0.5) + lit * 1.5);
      }
      canvas.Set(x, y, col);
    }
  }
}

void DrawSparks(Canvas& canvas, double cx, double cy, double reach, double t, int count,
                std::uint64_t seed, int size) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    const double angle = rng.Range(0, 2 * 3.14159265358979);
    const double speed = rng.Range(0.55, 1.0);
    const double life = rng.Range(0.6, 1.0);
    if (t > life) continue;
    const double dist = reach * speed * std::sqrt(t);
    const int px = static_cast<int>(std::lround(cx + std::cos(angle) * dist));
    const int py = static_cast<int>(std::lround(cy + std::sin(angle) * dist));
    const Color col = palette::kFire.At(1.0 - t / life * 0.6);
    for (int j = 0; j < size; ++j) {
      for (int k = 0; k < size; ++k) canvas.Set(px + j, py + k, col);
    }
  }
}

}  // namespace vormelda::datagen
