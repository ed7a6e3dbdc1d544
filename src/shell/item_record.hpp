#pragma once

#include <cstdint>

#include "shell/flag.hpp"

namespace vormelda {

// A falling 35 x 35 item: the power item or the bomb item.
struct ItemRecord {
  int32_t X = 0;
  int32_t Y = 0;
  int16_t DX = 0;
  int16_t DY = 0;
  Flag Alive = kFalse;
  bool operator==(const ItemRecord&) const = default;
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
