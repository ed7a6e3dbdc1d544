// The bomb: frames 0..6 swell into a ball of light, 7 and 8 flicker at full size, 9 is the
// white-out of the detonation (its sound starts there) and 10..19 fade out behind a shock ring.
// Transparency is an ordered dither, so the play field shows through the fading light.
#include <cmath>

#include "bomb.hpp"
#include "color.hpp"
#include "render/sprite_sheet.hpp"

namespace vormelda::datagen {

namespace {

constexpr int kW = kFieldWidth;
constexpr int kH = kFieldHeight;
constexpr double kPi = 3.14159265358979;

double Pow10(double v) {
  const double v2 = v * v;
  const double v4 = v2 * v2;
  return v4 * v4 * v2;
}

struct Sample {
  double alpha;  // 0 clear .. 1 solid
  double heat;   // colour: 0 red .. 1 white
};

Sample BombSample(int k, double x, double y) {
  const double dx = x - kW / 2.0;
  const double dy = y - kH / 2.0 - 20;
  const double d = std::sqrt(dx * dx + dy * dy);
  const double a = std::atan2(dy, dx);
  const double rays = Pow10(std::abs(std::cos(7.0 * a + 0.4 * k)));
  if (k <= 6) {
    const double p = (k + 1) / 7.0;
    const double r = 40.0 + 300.0 * std::pow(p, 1.3);
    if (d < r * 0.55) return {1.0, 1.0 - 0.25 * d / r};
    if (d < r) {
      const double u = (d - r * 0.55) / (r * 0.45);
      return {1.0 - 0.75 * u + 0.5 * rays, 0.85 - 0.35 * u};
    }
    if (d < r + 6) return {0.9, 0.9};  // the bright front of the ball
    const double reach = 260.0 * p;
    const double u = (d - r) / reach;
    if (u > 1) return {0, 0};
    return {(0.25 + 0.6 * rays) * (1.0 - u), 0.6 - 0.3 * u};
  }
  if (k <= 8) {
    // Full size, flickering: 7 brighter, 8 with the rays turned half a step.
    const double bright = k == 7 ? 1.0 : 0.82;
    const double ray8 = Pow10(std::abs(std::cos(7.0 * a + kPi / 2)));
    const double rr = k == 7 ? rays : ray8;
    const double u = d / 420.0;
    return {bright * (1.05 - 0.55 * u + 0.35 * rr), bright * (1.0 - 0.45 * u + 0.2 * rr)};
  }
  if (k == 9) return {1.0, 1.0 - 0.12 * d / 420.0};
  // Fading: the light thins out and cools while a ring runs outwards.
  const double q = (k - 9) / 10.0;
  const double ringR = 120.0 + 480.0 * q;
  const double ring = std::exp(-std::pow((d - ringR) / (18.0 + 20 * q), 2.0));
  const double body = std::pow(1.0 - q, 1.6) * (0.95 - 0.45 * d / 420.0 + 0.3 * rays);
  return {body + ring * (1.0 - q) * 1.2, 0.9 - 0.75 * q - 0.25 * d / 420.0 + 0.3 * ring};
}

Color HeatColor(double heat, int x, int y) {
  if (heat > 0.92) return kWhite;
  return palette::kFire.Dither(0.25 + heat * 0.8, x, y);
}

}  // namespace

ImageAndMask BuildBombSheets() {
  ImageAndMask out{Image(BombSheet::kWidth, BombSheet::kHeight, kBlack),
                   Image(BombSheet::kWidth, BombSheet::kHeight, kBlack)};
  for (int k = 0; k < BombSheet::kPictures; ++k) {
    const Point at = BombSheet::Picture(k);
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const Sample s = BombSample(k, x + 0.5, y + 0.5);
        const bool solid = s.alpha > Bayer8(x, y);
        out.image.Set(at.x + x, at.y + y, solid ? HeatColor(s.heat, x, y) : kBlack);
        out.mask.Set(at.x + x, at.y + y, solid ? kBlack : kWhite);
      }
    }
  }
  return out;
}

}  // namespace vormelda::datagen
