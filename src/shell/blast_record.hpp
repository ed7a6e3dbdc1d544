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
};

}  // namespace vormelda
