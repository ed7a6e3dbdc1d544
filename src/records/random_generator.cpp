#include "records/random_generator.hpp"

namespace vormelda {

void RandomGenerator::Seed(uint32_t seed) {
  State = 0;
  Next();
  State += 0x853C49E6748FEA9Bull + seed;
  Next();
}

float RandomGenerator::Next() {
  // PCG-XSH-RR 64/32.
  uint64_t old = State;
  State = old * 6364136223846793005ull + 1442695040888963407ull;
  auto xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
  auto rot = static_cast<uint32_t>(old >> 59u);
  uint32_t bits = (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
  return static_cast<float>(bits >> 8) * (1.0f / 16777216.0f);
}

}  // namespace vormelda
