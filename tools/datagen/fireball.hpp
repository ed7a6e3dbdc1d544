// A billowing fireball drawn into a canvas: the shared piece of the explosion sprite and the
// boss's final explosion.
#pragma once

#include <cstdint>

#include "image.hpp"

namespace vormelda::datagen {

struct Fireball {
  double cx = 0, cy = 0;
  double radius = 10;       // outer radius
  double age = 0;           // 0 just lit .. 1 burnt out
  std::uint64_t seed = 1;   // turbulence pattern
  double turbulence = 0.4;  // ragged edge
};

// Paints the fireball over the canvas: white-hot young, then orange, red and finally smoke that
// thins out into a dither.
void DrawFireball(Canvas& canvas, const Fireball& ball);

// Sparks thrown outward: count sparks of the given seed at time t (0..1) reaching reach pixels.
void DrawSparks(Canvas& canvas, double cx, double cy, double reach, double t, int count,
                std::uint64_t seed, int size);

}  // namespace vormelda::datagen
