#pragma once

#include <cstdint>

namespace vormelda {

// One explosion: the exploded enemy's kind (4 for the boss), live while Countdown >= 1.
struct BlastRecord {
  uint8_t Kind = 0;
  int32_t X = 0;
  int32_t Y = 0;
  int16_t Countdown = 0;
  bool operator==(const BlastRecord&) const = default;
  // Every field by name, in order: for the runner's trace and the state checksum.
  template <typename F>
  void Fields(F&& f) const {
    f("Kind", Kind);
    f("X", X);
    f("Y", Y);
    f("Countdown", Countdown);
  }
};

}  // namespace vormelda
