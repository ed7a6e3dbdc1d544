// The small helpers every stage shares: random numbers, a direction angle, the point-in-ellipse
// test that is the game's only collision shape, rounding of float positions, and the compactions.
#pragma once

#include <cmath>
#include <cstdint>

#include "shell/flag.hpp"

namespace vormelda {

// The game's value of pi, deliberately this short.
inline constexpr double PI = 3.141592;

float RandomSingle(float lo, float hi);
int16_t RandomInt(int16_t lo, int16_t hi);
int16_t RandomSign();

float AngleTo(float dx, float dy);
Flag InEllipse(int32_t rx, int32_t ry, int32_t cx, int32_t cy, int32_t px, int32_t py);

// Nearest integer, a half going to the even one (2.5 gives 2, 3.5 gives 4).
inline int32_t RoundHalfEven(double v) {
  return static_cast<int32_t>(std::nearbyint(v));
}

void CompactEnemies();
void CompactEnemyShots();
void CompactBlasts();

}  // namespace vormelda
