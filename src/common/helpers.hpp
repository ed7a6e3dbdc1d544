// The small helpers every stage shares: random numbers, a direction angle, the point-in-ellipse
// test that is the game's only collision shape, rounding of float positions, and the compactions.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

#include "records/flag.hpp"

namespace vormelda {

// The game's value of pi, deliberately this short.
inline constexpr double PI = 3.141592;
// 3 PI / 2 as the game computes it: the double 9.424776 halved, which need not be 3 * PI / 2 to
// the last bit.
inline constexpr double kThreeHalvesPi = 9.424776 / 2;

float RandomSingle(float lo, float hi);
int16_t RandomInt(int16_t lo, int16_t hi);
int16_t RandomSign();

float AngleTo(float dx, float dy);

// -1 when (px, py) lies inside or on the ellipse about (cx, cy) with half-axes rx and ry.
inline Flag InEllipse(int32_t rx, int32_t ry, int32_t cx, int32_t cy, int32_t px, int32_t py) {
  const double a = static_cast<double>(px) - cx;
  const double b = static_cast<double>(py) - cy;
  // Beyond either half-axis one term alone exceeds 1: outside, without the divisions.
  if (std::fabs(a) > rx || std::fabs(b) > ry) return kFalse;
  const double sum =
      b * b / (static_cast<double>(ry) * ry) + a * a / (static_cast<double>(rx) * rx);
  return sum > 1.0 ? kFalse : kTrue;
}

// Whether any point of the box x0..x1, y0..y1 lies within the ellipse's bounding box. When not,
// no point of the box is in the ellipse: a quick test before testing points one by one.
inline bool BoxNearEllipse(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t rx, int32_t ry,
                           int32_t cx, int32_t cy) {
  return x1 >= cx - rx && x0 <= cx + rx && y1 >= cy - ry && y0 <= cy + ry;
}

// Nearest integer, a half going to the even one (2.5 gives 2, 3.5 gives 4). Adding and taking
// away 1.5 * 2^52 leaves no fraction bits, so the sum itself rounds half to even; it holds for
// every |v| below 2^51, which covers every position by far.
inline int32_t RoundHalfEven(double v) {
  constexpr double kShift = 6755399441055744.0;  // 1.5 * 2^52
  if (!(std::fabs(v) < 2251799813685248.0)) return static_cast<int32_t>(std::nearbyint(v));
  return static_cast<int32_t>((v + kShift) - kShift);
}

// A score as the pattern "00000" writes it: at least five digits, zero-padded, after its sign.
std::string FormatScore(int32_t score);

// Empties Enemies, EnemyShots and Blasts: they become unallocated.
void EmptyLists();

void CompactEnemies();
void CompactEnemyShots();
void CompactBlasts();

}  // namespace vormelda
