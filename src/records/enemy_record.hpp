#pragma once

#include <cstdint>

#include "records/flag.hpp"

namespace vormelda {

// One enemy: kind 1 a 35 x 35 fighter, 2 a 30 x 50 dropper, 3 a 50 x 50 gunship.
struct EnemyRecord {
  uint8_t Kind = 0;
  uint8_t Flash = 0;  // 1 for the frame after a hit: drawn with its flash picture once
  float X = 0;
  float Y = 0;
  int16_t SpawnX = 0;
  int16_t SpawnY = 0;
  float DX = 0;
  float DY = 0;
  int16_t HP = 0;
  int16_t FireTimer = 0;
  int32_t Timer = 0;  // movement phase
  int16_t Points = 0;
  Flag Alive = kFalse;
  bool operator==(const EnemyRecord&) const = default;
  // Every field by name, in order: for the runner's trace and the state checksum.
  template <typename F>
  void Fields(F&& f) const {
    f("Kind", Kind);
    f("Flash", Flash);
    f("X", X);
    f("Y", Y);
    f("SpawnX", SpawnX);
    f("SpawnY", SpawnY);
    f("DX", DX);
    f("DY", DY);
    f("HP", HP);
    f("FireTimer", FireTimer);
    f("Timer", Timer);
    f("Points", Points);
    f("Alive", Alive);
  }
};

}  // namespace vormelda
