#include "boss/boss_attack.hpp"

#include <cmath>

#include "common/helpers.hpp"
#include "records/game_state.hpp"
#include "stage/enemy_fire.hpp"
#include "window/form_main.hpp"
#include "window/frame.hpp"

namespace vormelda {

namespace {

void AimedPair() {
  const float tx = static_cast<float>(Player.X + 25);
  const float ty = static_cast<float>(Player.Y + 27);
  for (float mx : {BossX + 42, BossX + 257}) {
    const float my = BossY + 110;
    const double theta = AngleTo(tx - mx, ty - my);
    EnemyShots.Append({2, 1, mx - 8, my - 8, 16, 16, static_cast<float>(1.5 * std::cos(theta)),
                       static_cast<float>(1.5 * std::sin(theta)), kTrue});
  }
}

// The fan's offset in degrees for this frame, or a negative value when no fan is due.
double FanOffset() {
  if (!IsTrue(BossRage)) {
    const int32_t m = FrameCount % 70;
    return m == 0 || m == 10 || m == 20 ? 20 : -1;
  }
  switch (FrameCount % 140) {
    case 0:
    case 70:
      return 20;
    case 8:
      return 24;
    case 16:
      return 28;
    case 78:
      return 16;
    case 86:
      return 12;
    default:
      return -1;
  }
}

void Fan(double offset) {
  const double speed = IsTrue(BossRage) ? 6 : 5;
  const float cx = BossX + 150;
  const float cy = BossY + 60;
  for (int i = 0; i < 12; ++i) {
    const auto step = static_cast<uint8_t>(2 * RandomInt(0, 7) + 1);
    const double theta = (12.7 * i + offset) * PI / 180;
    EnemyShots.Append({1, step, cx - 5, cy - 5, 10, 10, static_cast<float>(speed * std::cos(theta)),
                       static_cast<float>(speed * std::sin(theta)), kTrue});
  }
}

// A sweep of nine large balls from right-downward to left-downward per cycle.
void LargeBullet() {
  struct Slot {
    int32_t first, second;
    float dx, dy;
  };
  static constexpr Slot kSchedule[9] = {
      {180, 120, 3.58749f, 1.76915f},   {360, 240, 2.70236f, 2.94911f},
      {540, 360, 1.44975f, 3.72803f},   {720, 480, 0.73752f, 3.93142f},
      {900, 600, 0.0f, 4.0f},           {1080, 720, -0.73752f, 3.93142f},
      {1260, 840, -1.44975f, 3.72803f}, {1440, 960, -2.70236f, 2.94911f},
      {1620, 1080, -3.58749f, 1.76916f}};
  // A slot that comes up during a bomb is skipped, not delayed.
  if (BombTimer > 0) return;
  const bool rage = IsTrue(BossRage);
  const int32_t t = FrameCount % (rage ? 1200 : 1800);
  for (const Slot& slot : kSchedule) {
    if (t != (rage ? slot.second : slot.first)) continue;
    EnemyShots.Append({3, 0, BossX + 150 - 70, BossY + 60 - 70, 140, 160, slot.dx, slot.dy, kTrue});
    PlayEffect(frmMain.mciTama3);
  }
}

}  // namespace

void BossAttack() {
  if (!IsTrue(BossAlive)) return;
  if (FrameCount % 95 == 0) AimedPair();
  if (const double offset = FanOffset(); offset >= 0) Fan(offset);
  LargeBullet();
  FlyEnemyShots();
}

}  // namespace vormelda
