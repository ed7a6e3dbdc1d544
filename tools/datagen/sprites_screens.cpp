// Larger pictures: the title logo, the game over picture, the credits, the super high speed
// banner and the boss gauge.
#include <cmath>

#include "font.hpp"
#include "raster.hpp"
#include "sprites.hpp"

namespace vormelda::datagen {

namespace {

TextStyle Style(int sx, int sy, int gap, const Ramp& ramp, int shadow = 0) {
  TextStyle s;
  s.scaleX = sx;
  s.scaleY = sy;
  s.spacing = gap;
  s.ramp = &ramp;
  s.top = 1.0;
  s.bottom = 0.35;
  s.shadow = shadow;
  return s;
}

// A tapered streak under a title, bright in the middle.
void Streak(Canvas& c, int y, int x0, int x1, int thick, const Ramp& ramp) {
  const double mid = (x0 + x1) / 2.0;
  const double half = (x1 - x0) / 2.0;
  for (int x = x0; x <= x1; ++x) {
    const double u = std::abs(x + 0.5 - mid) / half;
    const double t = thick * (1.0 - u * u);
    for (int k = 0; k < static_cast<int>(std::ceil(t)); ++k) {
      c.Set(x, y + k, ramp.At(1.0 - u * 0.6 - k * 0.15));
    }
  }
}

}  // namespace

Canvas MakeTitleLogo() {
  Canvas c(180, 52);
  Streak(c, 41, 6, 173, 4, palette::kFire);
  DrawText(c, 1, 1, "VORMELDA", Style(4, 5, 2, palette::kGold, 2));
  AddOutline(c, palette::kOutline);
  return c;
}

Canvas MakeGameOver() {
  Canvas c(267, 64);
  const TextStyle s = Style(5, 7, 4, palette::kRed, 2);
  DrawText(c, (267 - TextWidth("GAME OVER", s)) / 2, 5, "GAME OVER", s);
  Streak(c, 58, 20, 246, 3, palette::kRed);
  return c;
}

Canvas MakeCredits(int picture) {
  if (picture == 1) {
    Canvas c(307, 61);
    const TextStyle s = Style(3, 3, 3, palette::kCyan, 1);
    DrawTextCentred(c, 4, "THANK YOU", s);
    DrawTextCentred(c, 33, "FOR PLAYING!", s);
    return c;
  }
  if (picture == 2) {
    Canvas c(185, 65);
    DrawText(c, 0, 6, "VORMELDA", Style(3, 3, 3, palette::kGold, 1));
    Streak(c, 33, 0, 150, 2, palette::kFire);
    TextStyle small = Style(1, 1, 1, palette::kSteel);
    small.top = 0.85;
    small.bottom = 0.6;
    DrawText(c, 0, 40, "SEE YOU AGAIN, PILOT!", small);
    DrawText(c, 0, 51, "THE SKY IS CLEAR.", small);
    return c;
  }
  // Drawn opaquely over black: the black around the letters is part of the picture.
  Canvas c(97, 67);
  const TextStyle s = Style(3, 3, 3, palette::kRed, 1);
  DrawText(c, 0, 6, "THE", s);
  DrawText(c, 0, 36, "END", s);
  return c;
}

Canvas MakeSuperSpeedBanner() {
  Canvas c(400, 60);
  // Hazard stripes above and below a see-through dark panel.
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 400; ++x) {
      const bool band = y < 8 || y >= 52;
      if (band) {
        const bool stripe = ((x + (y < 8 ? y : 59 - y)) / 8) % 2 == 0;
        const double lit = (y == 0 || y == 52) ? 0.2 : 0.0;
        c.Set(x, y, stripe ? palette::kGold.At(0.7 + lit) : palette::kPurple.At(0.1 + lit));
      } else if ((x + y) % 2 == 0) {
        c.Set(x, y, palette::kPurple.At(0.05));
      }
    }
  }
  const TextStyle s = Style(3, 3, 3, palette::kGold, 1);
  DrawTextCentred(c, 18, "SUPER HIGH SPEED MODE", s);
  return c;
}

Canvas MakeGaugeFrame() {
  // A thin silver box; the bar fills its inside (400 x 3 at offset 1, 1).
  Canvas c(402, 5);
  for (int x = 0; x < 402; ++x) {
    c.Set(x, 0, palette::kSteel.At(0.85));
    c.Set(x, 4, palette::kSteel.At(0.4));
  }
  for (int y = 1; y < 4; ++y) {
    c.Set(0, y, palette::kSteel.At(0.7));
    c.Set(401, y, palette::kSteel.At(0.55));
  }
  return c;
}

Canvas MakeGaugeBar() {
  // Red on the left through orange to yellow on the right: the bar shrinks from the right.
  Canvas c(400, 3);
  for (int x = 0; x < 400; ++x) {
    const double u = x / 399.0;
    const Color base =
        u < 0.5 ? Mix(0xC02028, 0xF07818, u * 2) : Mix(0xF07818, 0xF8D838, u * 2 - 1);
    c.Set(x, 0, Mix(base, kWhite, 0.45));
    c.Set(x, 1, base);
    c.Set(x, 2, Scale(base, 0.65));
  }
  return c;
}

}  // namespace vormelda::datagen
