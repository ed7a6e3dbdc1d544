#include "script/stage_script.hpp"

#include "common/helpers.hpp"
#include "platform/geometry.hpp"
#include "records/game_state.hpp"
#include "script/timetable.hpp"

namespace vormelda {

namespace {

float Evaluate(const ValueSpec& v) {
  switch (v.type) {
    case ValueSpec::Type::RandomInt:
      return static_cast<float>(RandomInt(v.lo, v.hi));
    case ValueSpec::Type::TimesSign:
      return v.value * static_cast<float>(RandomSign());
    case ValueSpec::Type::Fixed:
      break;
  }
  return v.value;
}

void AppendEnemy(const EnemySpec& spec) {
  static constexpr int16_t kHP[4] = {0, 3, 8, 25};
  static constexpr int16_t kPoints[4] = {0, 100, 150, 200};
  EnemyRecord& e = Enemies.Append();
  e.Kind = spec.Kind;
  e.Flash = 0;
  e.FireTimer = spec.FireTimer;
  e.HP = kHP[spec.Kind];
  e.Timer = spec.Timer;
  // Where both are random, the sign of DX is drawn before the spawn X.
  e.DX = Evaluate(spec.DX);
  e.DY = spec.DY;
  e.Points = kPoints[spec.Kind];
  e.SpawnX = static_cast<int16_t>(Evaluate(spec.SpawnX));
  e.SpawnY = spec.SpawnY;
  e.X = static_cast<float>(e.SpawnX);
  e.Y = static_cast<float>(e.SpawnY);
  e.Alive = kTrue;
}

void MoveItem(ItemRecord& item, bool launch) {
  if (launch) {
    item.X = RandomInt(0, 175);
    item.Y = -35;
    item.DX = 0;
    item.DY = 2;
    item.Alive = kTrue;
  }
  if (IsTrue(item.Alive)) {
    item.X += item.DX;
    item.Y += item.DY;
  }
  if (item.Y > kFieldHeight) item.Alive = kFalse;
}

}  // namespace

void StageScript() {
  if (const Formation* formation = FormationAt(FrameCount)) {
    int16_t pass = formation->firstLoopIndex;
    for (const EnemySpec& spec : formation->enemies) {
      if (formation->loop) LoopIndex = pass++;
      AppendEnemy(spec);
    }
  }
  MoveItem(PowerItem, FrameCount == 2600 || FrameCount == 3950 || FrameCount == 6400);
  MoveItem(BombItem, FrameCount == 8050);
}

}  // namespace vormelda
