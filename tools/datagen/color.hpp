// Colours and the game's palette: every picture is painted from these ramps.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace vormelda::datagen {

using Color = std::uint32_t;  // 0xRRGGBB

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;

constexpr int Red(Color c) {
  return static_cast<int>((c >> 16) & 0xFF);
}
constexpr int Green(Color c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int Blue(Color c) {
  return static_cast<int>(c & 0xFF);
}

inline Color Rgb(int r, int g, int b) {
  r = std::clamp(r, 0, 255);
  g = std::clamp(g, 0, 255);
  b = std::clamp(b, 0, 255);
  return static_cast<Color>((r << 16) | (g << 8) | b);
}

inline Color RgbF(double r, double g, double b) {
  return Rgb(static_cast<int>(std::lround(r * 255.0)), static_cast<int>(std::lround(g * 255.0)),
             static_cast<int>(std::lround(b * 255.0)));
}

inline Color Mix(Color a, Color b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto mix = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return Rgb(mix(Red(a), Red(b)), mix(Green(a), Green(b)), mix(Blue(a), Blue(b)));
}

inline Color Scale(Color c, double f) {
  auto s = [f](int x) { return static_cast<int>(std::lround(x * f)); };
  return Rgb(s(Red(c)), s(Green(c)), s(Blue(c)));
}

// 4 x 4 ordered dither threshold in (0, 1).
inline double Bayer4(int x, int y) {
  static constexpr int kMatrix[4][4] = {
      {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (kMatrix[y & 3][x & 3] + 0.5) / 16.0;
}

// 8 x 8 ordered dither threshold in (0, 1), for the big effect pictures.
inline double Bayer8(int x, int y) {
  int v = 0;
  for (int bit = 0; bit < 3; ++bit) {
    const int xb = (x >> bit) & 1;
    const int yb = (y >> bit) & 1;
    v |= ((yb ^ xb) << (5 - 2 * bit)) | (yb << (4 - 2 * bit));
  }
  return (v + 0.5) / 64.0;
}

// Six shades of one material, darkest first.
struct Ramp {
  std::array<Color, 6> shade;

  // t in [0, 1] picks a shade; no dithering (crisp sprites).
  Color At(double t) const {
    const int i = static_cast<int>(std::floor(std::clamp(t, 0.0, 0.9999) * 6.0));
    return shade[static_cast<std::size_t>(i)];
  }
  // Dithered between neighbouring shades (large pictures).
  Color Dither(double t, int x, int y) const {
    const double f = std::clamp(t, 0.0, 1.0) * 5.0;
    int i = static_cast<int>(std::floor(f));
    if (f - i > Bayer4(x, y)) ++i;
    return shade[static_cast<std::size_t>(std::clamp(i, 0, 5))];
  }
  // Smooth blend between shades.
  Color Smooth(double t) const {
    const double f = std::clamp(t, 0.0, 1.0) * 5.0;
    const int i = std::min(static_cast<int>(std::floor(f)), 4);
    return Mix(shade[static_cast<std::size_t>(i)], shade[static_cast<std::size_t>(i + 1)], f - i);
  }
};

namespace palette {
inline constexpr Color kOutline = 0x0C0A18;
inline constexpr Ramp kSteel{{0x1A1B2E, 0x373B58, 0x5A6386, 0x8995B4, 0xBFCBE0, 0xF2F6FF}};
inline constexpr Ramp kBlue{{0x0F1840, 0x1E3878, 0x2E5FB6, 0x4C92E6, 0x8CC8FF, 0xD8F0FF}};
inline constexpr Ramp kRed{{0x2A0A14, 0x5C1424, 0x9C2330, 0xD8423A, 0xFF7A55, 0xFFC29A}};
inline constexpr Ramp kGreen{{0x0E2418, 0x1D4A2C, 0x2F7A3C, 0x55AB4A, 0x9AD466, 0xE0F5A0}};
inline constexpr Ramp kPurple{{0x1A0F2E, 0x35205A, 0x573691, 0x8056C0, 0xB08AE0, 0xE6D2FF}};
inline constexpr Ramp kGold{{0x3A2008, 0x7A4A10, 0xC07A18, 0xF0B030, 0xFFE070, 0xFFFBD0}};
inline constexpr Ramp kFire{{0x3C0A06, 0x8A1E0A, 0xD8480E, 0xFF8A1E, 0xFFD050, 0xFFFAE0}};
inline constexpr Ramp kCyan{{0x062030, 0x0C4A66, 0x1486A0, 0x2EC8D8, 0x8AF4F0, 0xE8FFFC}};
inline constexpr Ramp kMagenta{{0x2A0620, 0x6A1050, 0xB0208A, 0xF04AC0, 0xFF9AE0, 0xFFE6F8}};
inline constexpr Ramp kSmoke{{0x120E16, 0x2A2430, 0x443C48, 0x635866, 0x8A7E88, 0xB8AEB2}};
}  // namespace palette

}  // namespace vormelda::datagen
