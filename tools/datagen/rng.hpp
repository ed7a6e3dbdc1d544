// Seeded random numbers and value noise. Every picture and sound draws from its own seed, so
// the files come out the same on every run.
#pragma once

#include <cmath>
#include <cstdint>

namespace vormelda::datagen {

class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }
  // Uniform integer in [lo, hi].
  int Int(int lo, int hi) {
    return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1));
  }
  // Roughly normal, mean 0, deviation 1.
  double Gauss() {
    double s = 0;
    for (int i = 0; i < 6; ++i) s += Unit();
    return (s - 3.0) * 1.41421356;
  }

 private:
  std::uint64_t state_;
};

// Hash of a lattice point to [0, 1).
inline double LatticeValue(std::uint64_t seed, int x, int y) {
  std::uint64_t h = seed ^
                    (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) * 0x9E3779B1ull) ^
                    (static_cast<std::uint64_t>(static_cast<std::uint32_t>(y)) << 32);
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  h ^= h >> 33;
  return static_cast<double>(h >> 11) * (1.0 / 9007199254740992.0);
}

// Smooth value noise in [0, 1]. Lattice coordinates wrap with the given periods (0: no wrap),
// so a picture made from it can tile.
inline double ValueNoise(std::uint64_t seed, double x, double y, int periodX = 0, int periodY = 0) {
  const double fx = std::floor(x);
  const double fy = std::floor(y);
  int x0 = static_cast<int>(fx);
  int y0 = static_cast<int>(fy);
  const double tx = x - fx;
  const double ty = y - fy;
  const double sx = tx * tx * (3 - 2 * tx);
  const double sy = ty * ty * (3 - 2 * ty);
  auto wrap = [](int v, int p) { return p > 0 ? ((v % p) + p) % p : v; };
  const int xa = wrap(x0, periodX);
  const int xb = wrap(x0 + 1, periodX);
  const int ya = wrap(y0, periodY);
  const int yb = wrap(y0 + 1, periodY);
  const double a = LatticeValue(seed, xa, ya);
  const double b = LatticeValue(seed, xb, ya);
  const double c = LatticeValue(seed, xa, yb);
  const double d = LatticeValue(seed, xb, yb);
  return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

// Fractal sum of octaves; cells is the number of lattice cells per unit of x and y at the first
// octave. With a y period of `periodY` units the noise repeats every periodY in y.
inline double Fbm(std::uint64_t seed, double x, double y, double cells, int octaves,
                  double periodY = 0) {
  double sum = 0;
  double amp = 0.5;
  double norm = 0;
  double freq = cells;
  for (int o = 0; o < octaves; ++o) {
    const int py = periodY > 0 ? static_cast<int>(std::lround(periodY * freq)) : 0;
    sum += amp * ValueNoise(seed + static_cast<std::uint64_t>(o) * 7919, x * freq, y * freq, 0, py);
    norm += amp;
    amp *= 0.5;
    freq *= 2;
  }
  return sum / norm;
}

}  // namespace vormelda::datagen
