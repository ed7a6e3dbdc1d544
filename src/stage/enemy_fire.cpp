#include "stage/enemy_fire.hpp"

#include <cmath>

#include "common/helpers.hpp"
#include "platform/geometry.hpp"
#include "records/game_state.hpp"

namespace vormelda {

namespace {

EnemyShotRecord Bullet(uint8_t kind, uint8_t step, float x, float y, int32_t size, float dx,
                       float dy) {
  return EnemyShotRecord{kind, step, x, y, size, size, dx, dy, kTrue};
}

uint8_t RandomOddStep() {
  return static_cast<uint8_t>(2 * RandomInt(0, 7) + 1);
}

// Three bullets at 3 pixels a frame: one aimed at the ship, one half a radian to each side.
void FireFan(const EnemyRecord& e) {
  const float ox = e.X + 17.5f;
  const float oy = e.Y + 17.5f;
  const double a =
      AngleTo(static_cast<float>(Player.X + 25) - ox, static_cast<float>(Player.Y + 27) - oy);
  const double angles[3] = {a, a + 0.5, a - 0.5};
  for (int b = 0; b < 3; ++b) {
    // Only the aimed bullet keeps the small margin; the side bullets may hang 35 pixels out.
    const int32_t size = b == 0 ? 10 : 35;
    EnemyShots.Append(Bullet(1, RandomOddStep(), ox - 5, oy - 5, size,
                             static_cast<float>(3 * std::cos(angles[b])),
                             static_cast<float>(3 * std::sin(angles[b]))));
  }
}

void FireDrop(const EnemyRecord& e) {
  const float ox = e.X + 15;
  const float oy = e.Y + 25;
  EnemyShots.Append(Bullet(2, 1, ox - 8, oy - 8, 16, 0, RandomSingle(1.2f, 7.0f)));
}

// |DX| + |DY| = 5: between 3.5 and 5 pixels a frame in any direction.
void FireSpray(const EnemyRecord& e) {
  const float ox = e.X + 25;
  const float oy = e.Y + 25;
  const uint8_t step = RandomOddStep();
  const float t = RandomSingle(-5, 5);
  const float dy = (5 - std::fabs(t)) * static_cast<float>(RandomSign());
  EnemyShots.Append(Bullet(1, step, ox - 5, oy - 5, 10, t, dy));
}

}  // namespace

void EnemyFire() {
  if (Enemies.Allocated()) {
    const int32_t n = Enemies.UBound();
    for (int32_t i = 1; i <= n; ++i) {
      EnemyRecord& e = Enemies[i];
      if (!IsTrue(e.Alive)) continue;
      if (e.Kind == 1) {
        // Below Y 350 a fighter never fires, but its timer keeps falling.
        if (e.Y < 350 && e.FireTimer < 1) {
          FireFan(e);
          e.FireTimer = 57;
        } else {
          --e.FireTimer;
        }
      } else if (e.Kind == 2) {
        if (e.FireTimer < 1) {
          FireDrop(e);
          e.FireTimer = RandomInt(10, 40);
        } else {
          --e.FireTimer;
        }
      } else if (e.Kind == 3) {
        if (e.FireTimer < 1) {
          FireSpray(e);
          e.FireTimer = 30;
        } else {
          --e.FireTimer;
        }
      }
    }
  }
  FlyEnemyShots();
}

void FlyEnemyShots() {
  if (!EnemyShots.Allocated()) return;
  for (int32_t i = 1; i <= EnemyShots.UBound(); ++i) {
    EnemyShotRecord& s = EnemyShots[i];
    s.X += s.DX;
    s.Y += s.DY;
    if (s.X < static_cast<float>(-s.SizeA) || s.X > kFieldWidth ||
        s.Y < static_cast<float>(-s.SizeB) || s.Y > kFieldHeight) {
      s.Alive = kFalse;
    }
  }
  CompactEnemyShots();
}

}  // namespace vormelda
