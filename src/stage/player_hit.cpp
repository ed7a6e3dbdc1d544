#include "stage/player_hit.hpp"

#include "common/helpers.hpp"
#include "records/game_state.hpp"
#include "window/form_main.hpp"
#include "window/frame.hpp"

namespace vormelda {

namespace {

bool EnemyHitsShip(const EnemyRecord& e) {
  const int32_t x = RoundHalfEven(e.X);
  const int32_t y = RoundHalfEven(e.Y);
  const int32_t px = Player.X + 25;
  const int32_t py = Player.Y + 27;
  if (e.Kind == 1) return IsTrue(InEllipse(24, 25, x + 17, y + 17, px, py));
  if (e.Kind == 2) return IsTrue(InEllipse(22, 33, x + 15, y + 25, px, py));
  return IsTrue(InEllipse(32, 33, x + 25, y + 25, px, py));
}

}  // namespace

bool BulletHitsShip(const EnemyShotRecord& bullet) {
  const int32_t x = RoundHalfEven(bullet.X);
  const int32_t y = RoundHalfEven(bullet.Y);
  const int32_t size = bullet.Kind == 1 ? 10 : 16;
  const int32_t half = size / 2;
  const int32_t points[4][2] = {
      {x + half, y}, {x + half, y + size}, {x, y + half}, {x + size, y + half}};
  const int32_t cx = Player.X + 25;
  const int32_t cy = Player.Y + 27;
  if (!BoxNearEllipse(x, y, x + size, y + size, 7, 8, cx, cy)) return false;
  for (const auto& p : points) {
    if (IsTrue(InEllipse(7, 8, cx, cy, p[0], p[1]))) return true;
  }
  return false;
}

void StartMiss() {
  StopEffect(frmMain.mciEnemyBlast);
  StopEffect(frmMain.mciItem);
  PlayEffect(frmMain.mciMyBlast);
  Player.OnScreen = kFalse;
  MissBlastX = Player.X;
  MissBlastY = Player.Y;
  MissCountdown = 26;
}

void CheckPlayerHit() {
  if (MissCountdown >= 1) return;
  if (Enemies.Allocated()) {
    for (int32_t i = 1; i <= Enemies.UBound(); ++i) {
      const EnemyRecord& e = Enemies[i];
      if (IsTrue(e.Alive) && EnemyHitsShip(e)) {
        StartMiss();  // the enemy that rammed the ship is not harmed
        return;
      }
    }
  }
  if (!EnemyShots.Allocated()) return;
  for (int32_t i = 1; i <= EnemyShots.UBound(); ++i) {
    EnemyShotRecord& s = EnemyShots[i];
    if (IsTrue(s.Alive) && BulletHitsShip(s)) {
      s.Alive = kFalse;
      StartMiss();
      return;
    }
  }
}

}  // namespace vormelda
