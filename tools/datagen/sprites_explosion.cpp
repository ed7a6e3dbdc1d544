// The 50 x 50 explosion of enemies and of the player's ship, eight pictures played left to
// right: a white flash, a swelling fireball, then a ring of smoke that thins away.
#include <algorithm>
#include <cmath>

#include "color.hpp"
#include "fireball.hpp"
#include "sprites.hpp"

namespace vormelda::datagen {

Canvas MakeExplosion(int frame) {
  const double p = frame / 7.0;
  Canvas c(50, 50);
  Fireball ball;
  ball.cx = 25;
  ball.cy = 25;
  ball.radius = 11.0 + 12.5 * (1.0 - std::pow(1.0 - p, 2.5));
  // Age of the fire by picture; the smoke thins out quickly past 0.8.
  static constexpr double kAge[] = {0.0, 0.14, 0.28, 0.42, 0.56, 0.67, 0.75, 0.78};
  ball.age = kAge[frame];
  ball.seed = 0xE0E0;
  DrawFireball(c, ball);
  // Two smaller puffs that trail behind the main ball.
  if (frame >= 2) {
    Fireball puff = ball;
    puff.radius *= 0.45;
    puff.age = std::min(1.0, p + 0.1);
    puff.cx = 25 - ball.radius * 0.75;
    puff.cy = 25 - ball.radius * 0.35;
    puff.seed = 0xE1E1;
    DrawFireball(c, puff);
    puff.cx = 25 + ball.radius * 0.6;
    puff.cy = 25 + ball.radius * 0.6;
    puff.seed = 0xE2E2;
    DrawFireball(c, puff);
  }
  if (frame == 7) {
    // The last picture: the smoke of the one before, thinned to a dither.
    for (int y = 0; y < 50; ++y) {
      for (int x = 0; x < 50; ++x) {
        if (Bayer4(x, y) > 0.45) c.Erase(x, y);
      }
    }
  }
  if (frame >= 1 && frame <= 6) DrawSparks(c, 25, 25, 24, p, 12, 0x5A5A, 1);
  if (frame == 0) {
    // The flash: a white-hot star.
    for (int y = 0; y < 50; ++y) {
      for (int x = 0; x < 50; ++x) {
        const double dx = std::abs(x + 0.5 - 25), dy = std::abs(y + 0.5 - 25);
        const double star = std::min(dx, dy) < 1.0 ? 20.0 - std::max(dx, dy) : 0.0;
        const double diag = std::abs(dx - dy) < 1.0 ? 11.0 - std::max(dx, dy) : 0.0;
        if (star > 0 || diag > 0) c.Set(x, y, 0xFFFAE0);
      }
    }
    for (int y = 0; y < 50; ++y) {
      for (int x = 0; x < 50; ++x) {
        const double d = std::hypot(x + 0.5 - 25, y + 0.5 - 25);
        if (d < 6.5) c.Set(x, y, kWhite);
      }
    }
  }
  return c;
}

}  // namespace vormelda::datagen
