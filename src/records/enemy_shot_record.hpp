#pragma once

#include <cstdint>

#include "records/flag.hpp"

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
  // Every field by name, in order: for the runner's trace and the state checksum.
  template <typename F>
  void Fields(F&& f) const {
    f("Kind", Kind);
    f("Step", Step);
    f("X", X);
    f("Y", Y);
    f("SizeA", SizeA);
    f("SizeB", SizeB);
    f("DX", DX);
    f("DY", DY);
    f("Alive", Alive);
  }
};

}  // namespace vormelda
