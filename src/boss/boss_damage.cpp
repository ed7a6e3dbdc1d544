#include "boss/boss_damage.hpp"

#include "common/helpers.hpp"
#include "records/game_state.hpp"
#include "stage/shot_hits.hpp"
#include "window/form_main.hpp"
#include "window/frame.hpp"

namespace vormelda {

namespace {

// The body and the two guns, about the boss's position rounded to whole pixels.
bool ShotHitsBoss(const ShotSlot& s) {
  const int32_t x = RoundHalfEven(BossX);
  const int32_t y = RoundHalfEven(BossY);
  return ShotTouches(s.X, s.Y, 150, 55, x + 150, y + 60) ||
         ShotTouches(s.X, s.Y, 25, 20, x + 65, y + 100) ||
         ShotTouches(s.X, s.Y, 25, 20, x + 244, y + 100);
}

template <int N>
void TestShots(OneBasedArray<ShotSlot, N>& slots) {
  for (ShotSlot& s : slots) {
    if (IsTrue(s.Alive) && ShotHitsBoss(s)) {
      s.Alive = kFalse;
      --BossHP;
    }
  }
}

}  // namespace

void BossDamage() {
  if (!IsTrue(BossAlive)) return;
  if (BombTimer > 0) --BossHP;
  TestShots(CenterShots);
  if (Player.Power == 2) {
    TestShots(LeftShots);
    TestShots(RightShots);
  }
  if (BossHP < 1500 && BossRage == kFalse) {
    PlayEffect(frmMain.mciEnemyBlast);
    BossRage = kTrue;
    PowerItem.X = RoundHalfEven(BossX + 150 - 17.5f);
    PowerItem.Y = RoundHalfEven(BossY + 60 - 17.5f);
    PowerItem.DX = 0;
    PowerItem.DY = 1;
    PowerItem.Alive = kTrue;
  }
  if (BossHP <= 0) {
    PlayEffect(frmMain.mciBossBlast);
    BossAlive = kFalse;
    EnemyShots.Erase();
    Blasts.Append({4, RoundHalfEven(BossX), RoundHalfEven(BossY), 60});
    Player.Score += 10000;
  }
}

void CheckBossDefeat() {
  if (!Blasts.Allocated()) return;
  for (int32_t i = 1; i <= Blasts.UBound(); ++i) {
    if (Blasts[i].Kind == 4 && Blasts[i].Countdown == 0) BossStageOver = kTrue;
  }
}

}  // namespace vormelda
