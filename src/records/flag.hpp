// Booleans of the game records are 16-bit integers: -1 true, 0 false. Only -1 counts as true.
#pragma once

#include <cstdint>

namespace vormelda {

using Flag = int16_t;
inline constexpr Flag kTrue = -1;
inline constexpr Flag kFalse = 0;

inline constexpr bool IsTrue(Flag f) {
  return f == kTrue;
}

}  // namespace vormelda
