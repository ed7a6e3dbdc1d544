#include "boss/boss_hit.hpp"

#include "common/helpers.hpp"
#include "records/game_state.hpp"
#include "stage/player_hit.hpp"

namespace vormelda {

namespace {

bool BodyHitsShip() {
  return IsTrue(InEllipse(150, 60, RoundHalfEven(BossX) + 150, RoundHalfEven(BossY) + 60,
                          Player.X + 25, Player.Y + 25));
}

bool HitsShip(const EnemyShotRecord& s) {
  if (s.Kind == 1 || s.Kind == 2) return BulletHitsShip(s);
  if (s.Kind == 3) {
    return IsTrue(InEllipse(60, 60, RoundHalfEven(s.X) + 70, RoundHalfEven(s.Y) + 70, Player.X + 25,
                            Player.Y + 27));
  }
  return false;
}

}  // namespace

void CheckPlayerHitBoss() {
  if (MissCountdown >= 1) return;
  if (IsTrue(BossAlive) && BodyHitsShip()) {
    StartMiss();
    return;
  }
  if (!EnemyShots.Allocated()) return;
  for (int32_t i = 1; i <= EnemyShots.UBound(); ++i) {
    EnemyShotRecord& s = EnemyShots[i];
    if (!IsTrue(s.Alive) || !HitsShip(s)) continue;
    if (s.Kind != 3) s.Alive = kFalse;
    StartMiss();
    return;
  }
}

}  // namespace vormelda
