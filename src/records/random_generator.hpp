// The game's one source of randomness: a small deterministic generator whose whole state lives in
// the saved game state, so that a replay with the same seed draws the same numbers.
#pragma once

#include <cstdint>

namespace vormelda {

struct RandomGenerator {
  uint64_t State = 0x853C49E6748FEA9Bull;

  void Seed(uint32_t seed);
  // Uniform in [0, 1) with 24 bits, exactly representable as a 32-bit float.
  float Next();
  bool operator==(const RandomGenerator&) const = default;
  template <typename F>
  void Fields(F&& f) const {
    f("State", State);
  }
};

}  // namespace vormelda
