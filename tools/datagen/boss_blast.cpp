// The boss's final explosion: twelve 400 x 400 pictures centred on the boss's body (the boss
// picture would cover x 50..350, y 140..260 of them). Fireballs burst along the hull one after
// another inside a swelling main blast, a shock ring runs outwards, and all of it burns down to
// drifting smoke.
#include <cmath>

#include "bomb.hpp"
#include "color.hpp"
#include "fireball.hpp"
#include "render/sprite_sheet.hpp"

namespace vormelda::datagen {

namespace {

struct Burst {
  double x, y;   // offset from the centre
  double start;  // time it bursts, 0..1
  double size;   // largest radius
  unsigned seed;
};

constexpr Burst kBursts[] = {
    {-85, 40, 0.0, 60, 11},  {94, 40, 0.05, 60, 12},   {-130, 0, 0.12, 55, 13},
    {130, -5, 0.18, 55, 14}, {-40, -50, 0.25, 65, 15}, {45, -45, 0.3, 65, 16},
    {0, 50, 0.38, 70, 17},   {-90, -30, 0.45, 50, 18}, {85, 20, 0.5, 50, 19},
};

Canvas BlastFrame(int f) {
  const double t = f / 11.0;
  Canvas c(BossBlastSheet::kSize, BossBlastSheet::kSize);
  constexpr double cx = 200, cy = 200;
  // Main blast under everything.
  Fireball main;
  main.cx = cx;
  main.cy = cy;
  main.radius = 60.0 + 120.0 * std::pow(t, 0.6);
  main.age = std::min(1.0, t * 1.05);
  main.seed = 0xB055;
  main.turbulence = 0.45;
  DrawFireball(c, main);
  // Bursts along the hull, each with a life of 0.55.
  for (const Burst& b : kBursts) {
    const double age = (t - b.start) / 0.55;
    if (age < 0 || age > 1) continue;
    Fireball ball;
    ball.cx = cx + b.x;
    ball.cy = cy + b.y;
    ball.radius = b.size * (0.45 + 0.55 * std::sqrt(age));
    ball.age = age;
    ball.seed = 0xB100 + b.seed;
    DrawFireball(c, ball);
  }
  // Shock ring.
  if (f >= 1 && f <= 8) {
    const double r = 70.0 + 125.0 * (f - 1) / 7.0;
    const double strength = 1.0 - (f - 1) / 8.0;
    for (int y = 0; y < 400; ++y) {
      for (int x = 0; x < 400; ++x) {
        const double d = std::hypot(x + 0.5 - cx, (y + 0.5 - cy) * 1.25);
        const double a = std::exp(-std::pow((d - r) / 5.0, 2.0)) * strength;
        if (a > Bayer4(x, y)) c.Set(x, y, palette::kFire.At(0.65 + 0.35 * a));
      }
    }
  }
  DrawSparks(c, cx, cy, 190, t, 40, 0x5BA4, 2);
  if (f == 0) {
    // The flash that swallows the hull as the boss breaks up.
    for (int y = 0; y < 400; ++y) {
      for (int x = 0; x < 400; ++x) {
        const double d = std::hypot((x + 0.5 - cx) / 150.0, (y + 0.5 - cy) / 62.0);
        if (d < 0.8) {
          c.Set(x, y, kWhite);
        } else if (d < 1.0 && (1.0 - d) / 0.2 > Bayer4(x, y)) {
          c.Set(x, y, palette::kFire.At(0.85));
        }
      }
    }
  }
  return c;
}

}  // namespace

Image BuildBossBlastSheet() {
  Image sheet(BossBlastSheet::kWidth, BossBlastSheet::kHeight, kBlack);
  for (int f = 0; f < BossBlastSheet::kPictures; ++f) {
    const Point at = BossBlastSheet::Picture(f);
    const Canvas frame = BlastFrame(f);
    for (int y = 0; y < BossBlastSheet::kSize; ++y) {
      for (int x = 0; x < BossBlastSheet::kSize; ++x) {
        const bool solid = frame.Solid(x, y);
        sheet.Set(at.x + x, at.y + y, solid ? frame.At(x, y) : kBlack);
        sheet.Set(at.x + x, at.y + y + BossBlastSheet::kMaskDy, solid ? kBlack : kWhite);
      }
    }
  }
  return sheet;
}

}  // namespace vormelda::datagen
