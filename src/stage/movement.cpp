#include "stage/movement.hpp"

#include "common/helpers.hpp"
#include "platform/geometry.hpp"
#include "records/game_state.hpp"

namespace vormelda {

void MovePlayerShots() {
  for (ShotSlot& s : CenterShots) {
    if (!IsTrue(s.Alive)) continue;
    s.Y += s.DY;
    if (s.Y < -35) s = ShotSlot{0, 0, s.DX, s.DY, kFalse};
  }
  // At Power 1 the diagonal shots neither move nor expire.
  if (Player.Power != 2) return;
  for (int i = 1; i <= 2; ++i) {
    ShotSlot& left = LeftShots[i];
    if (IsTrue(left.Alive)) {
      left.Y += left.DY;
      left.X += left.DX;
      if (left.Y < -35 || left.X < -16) left.Alive = kFalse;
    }
    ShotSlot& right = RightShots[i];
    if (IsTrue(right.Alive)) {
      right.Y += right.DY;
      right.X += right.DX;
      if (right.Y < -35 || right.X > kFieldWidth) right.Alive = kFalse;
    }
  }
}

void MoveEnemies() {
  if (!Enemies.Allocated()) return;
  // Dead entries move too; nothing sees them.
  for (int32_t i = 1; i <= Enemies.UBound(); ++i) {
    EnemyRecord& e = Enemies[i];
    if (e.Kind == 1) {
      if (e.Timer < 1) {
        e.DX = -e.DX;
        e.Timer = 32;
      }
      --e.Timer;
    } else if (e.Kind == 2) {
      if (e.Timer < 1) {
        if (e.X <= 0 || e.X >= 390) {
          e.Timer = 20;
          e.DX = 0;
          e.DY = 2.5f;
        }
      } else {
        --e.Timer;
        if (e.Timer < 1) {
          e.DX = e.X >= 210 ? -2.5f : 2.5f;
          e.DY = 0;
        }
      }
    }
    e.X += e.DX;
    e.Y += e.DY;
    if (e.Y > kFieldHeight) e.Alive = kFalse;
  }
  CompactEnemies();
}

}  // namespace vormelda
