#include "stage/shot_hits.hpp"

#include <cstdint>

#include "common/helpers.hpp"
#include "records/game_state.hpp"
#include "window/form_main.hpp"
#include "window/frame.hpp"

namespace vormelda {

namespace {

struct Ellipse {
  int32_t cx, cy, rx, ry;
};

// The enemy's shape against shots, about its position rounded to whole pixels.
Ellipse ShotShape(const EnemyRecord& e) {
  const int32_t x = RoundHalfEven(e.X);
  const int32_t y = RoundHalfEven(e.Y);
  if (e.Kind == 1) return {x + 17, y + 17, 17, 17};
  if (e.Kind == 2) return {x + 15, y + 25, 15, 25};
  return {x + 25, y + 25, 25, 25};
}

template <int N>
void TestShots(OneBasedArray<ShotSlot, N>& slots, EnemyRecord& e, const Ellipse& shape) {
  for (ShotSlot& s : slots) {
    if (!IsTrue(s.Alive)) continue;
    if (ShotTouches(s.X, s.Y, shape.rx, shape.ry, shape.cx, shape.cy)) {
      s.Alive = kFalse;
      e.Flash = 1;
      --e.HP;
    }
  }
}

void Explode(EnemyRecord& e, bool& soundPlayed) {
  if (!soundPlayed) {
    PlayEffect(frmMain.mciEnemyBlast);
    soundPlayed = true;
  }
  e.Alive = kFalse;
  BlastRecord blast{e.Kind, 0, 0, 24};
  if (e.Kind == 1) {
    Player.Score += 100;
    blast.X = RoundHalfEven(e.X - 7);
    blast.Y = RoundHalfEven(e.Y - 7);
  } else if (e.Kind == 2) {
    Player.Score += 150;
    blast.X = RoundHalfEven(e.X - 10);
    blast.Y = RoundHalfEven(e.Y);
  } else {
    Player.Score += 200;
    blast.X = RoundHalfEven(e.X);
    blast.Y = RoundHalfEven(e.Y);
  }
  Blasts.Append(blast);
}

}  // namespace

bool ShotTouches(int32_t x, int32_t y, int32_t rx, int32_t ry, int32_t cx, int32_t cy) {
  static constexpr int32_t kPoints[5][2] = {{0, 12}, {16, 12}, {8, 23}, {0, 35}, {16, 35}};
  if (!BoxNearEllipse(x, y + 12, x + 16, y + 35, rx, ry, cx, cy)) return false;
  bool hit = false;
  for (const auto& p : kPoints) hit = IsTrue(InEllipse(rx, ry, cx, cy, x + p[0], y + p[1])) || hit;
  return hit;
}

void ShotHits() {
  if (!Enemies.Allocated()) return;
  bool soundPlayed = false;
  const int32_t n = Enemies.UBound();
  for (int32_t i = 1; i <= n; ++i) {
    EnemyRecord& e = Enemies[i];
    if (!IsTrue(e.Alive)) continue;
    if (BombTimer < 1) {
      const Ellipse shape = ShotShape(e);
      TestShots(CenterShots, e, shape);
      if (Player.Power == 2) {
        TestShots(LeftShots, e, shape);
        TestShots(RightShots, e, shape);
      }
    } else {
      e.HP = 0;
    }
    if (e.HP > 0) continue;
    Explode(e, soundPlayed);
  }
}

}  // namespace vormelda
