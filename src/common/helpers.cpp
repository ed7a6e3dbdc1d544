#include "common/helpers.hpp"

#include "records/game_state.hpp"

namespace vormelda {

float RandomSingle(float lo, float hi) {
  float r = Game.Random.Next();
  return lo + (hi - lo) * r;
}

int16_t RandomInt(int16_t lo, int16_t hi) {
  float r = Game.Random.Next();
  float span = static_cast<float>(hi - lo + 1) * r;
  return static_cast<int16_t>(static_cast<int32_t>(span) + lo);
}

int16_t RandomSign() {
  float r = Game.Random.Next();
  return static_cast<int32_t>(2.0f * r) == 1 ? int16_t{-1} : int16_t{1};
}

float AngleTo(float dx, float dy) {
  if (dx > 0) return static_cast<float>(std::atan(static_cast<double>(dy / dx)));
  if (dx < 0) return static_cast<float>(std::atan(static_cast<double>(dy / dx)) + PI);
  return static_cast<float>(dy >= 0 ? PI / 2 : kThreeHalvesPi);
}

std::string FormatScore(int32_t score) {
  std::string digits = std::to_string(score < 0 ? -static_cast<int64_t>(score) : score);
  if (digits.size() < 5) digits.insert(0, 5 - digits.size(), '0');
  return score < 0 ? "-" + digits : digits;
}

namespace {

// Moves the live entries to the front in order, each moved-from entry marked dead, and cuts the
// list after them; a list of dead entries only stays as it is. One pass: the next live entry
// goes to the first free place.
template <typename T, typename IsLive, typename Kill>
void Compact(GrowableList<T>& list, IsLive isLive, Kill kill) {
  if (!list.Allocated()) return;
  const int32_t n = list.UBound();
  int32_t live = 0;
  for (int32_t i = 1; i <= n; ++i) {
    if (!isLive(list[i])) continue;
    if (++live != i) {
      list[live] = list[i];
      kill(list[i]);
    }
  }
  list.ShrinkTo(live);
}

}  // namespace

void EmptyLists() {
  Enemies.Erase();
  EnemyShots.Erase();
  Blasts.Erase();
}

void CompactEnemies() {
  Compact(
      Enemies, [](const EnemyRecord& e) { return IsTrue(e.Alive); },
      [](EnemyRecord& e) { e.Alive = kFalse; });
}

void CompactEnemyShots() {
  Compact(
      EnemyShots, [](const EnemyShotRecord& s) { return IsTrue(s.Alive); },
      [](EnemyShotRecord& s) { s.Alive = kFalse; });
}

void CompactBlasts() {
  Compact(
      Blasts, [](const BlastRecord& b) { return b.Countdown >= 1; },
      [](BlastRecord& b) { b.Countdown = 0; });
}

}  // namespace vormelda
