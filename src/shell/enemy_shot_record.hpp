#pragma once

#include <cstdint>

#include "shell/flag.hpp"

namespace vormelda {

// One enemy bullet: kind 1 small 10 x 10, 2 medium 16 x 16, 3 the boss's 140 x 140 ball.
struct EnemyShotRecord {
  uint8_t Kind = 0;
  uint8_t Step = 0;  // animation step of its picture
  float X = 0;
  float Y = 0;
  int32_t SizeA = 0;  // removed once X < -SizeA
  int32_t SizeB = 0;  // removed once Y < -SizeB
  float DX = 0;
  float DY = 0;
  Flag Alive = kFalse;
  bool operator==(const EnemyShotRecord&) const = default;
};

}  // namespace vormelda
