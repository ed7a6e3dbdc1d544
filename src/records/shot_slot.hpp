#pragma once

#include <cstdint>

#include "records/flag.hpp"

namespace vormelda {

// One player shot: a 16 x 35 picture at (X, Y).
struct ShotSlot {
  int32_t X = 0;
  int32_t Y = 0;
  int16_t DX = 0;
  int16_t DY = 0;
  Flag Alive = kFalse;
  bool operator==(const ShotSlot&) const = default;
  // Every field by name, in order: for the runner's trace and the state checksum.
  template <typename F>
  void Fields(F&& f) const {
    f("X", X);
    f("Y", Y);
    f("DX", DX);
    f("DY", DY);
    f("Alive", Alive);
  }
};

}  // namespace vormelda
