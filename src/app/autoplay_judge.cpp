#include "app/autoplay_judge.hpp"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "records/scene.hpp"

namespace vormelda {

namespace {

constexpr double kShipBottom = 480;  // the lowest the ship goes
constexpr double kStageHome = 470;   // low on the field leaves the most time under each enemy
constexpr double kBossHome = 300;

double HalfWidth(const EnemyRecord& e) {
  return e.Kind == 1 ? 17.5 : e.Kind == 2 ? 15 : 25;
}

// Frames until an enemy is out of reach: past the bottom, or off a side on its first leg.
double FramesToLeave(const EnemyRecord& e) {
  double t = e.DY > 0 ? (560 - e.Y) / e.DY : 1e4;
  if (e.Kind == 1 && std::fabs(e.DX) >= 3 && e.Timer > 0) {
    const double side = e.DX > 0 ? (420 - e.X) / e.DX : (e.X + 35) / -e.DX;
    if (side < e.Timer) t = std::min(t, side);
  }
  return t;
}

// Getting under it takes a frame per 4 pixels across (sinking 3 a frame meanwhile); then the
// ship needs room beneath it for every hit it still takes while it keeps falling.
bool TooLateToShoot(const EnemyRecord& e) {
  const double half = HalfWidth(e);
  const double across = std::max(0.0, std::fabs(e.X + half - (Player.X + 25)) - 20) / 4;
  const double shipY = std::min(kShipBottom, Player.Y + 3 * across);
  const double fall = std::max(0.0f, e.DY);
  const double bottom = e.Y + 2 * half + fall * across;
  return bottom + 30 + 4 * e.HP * fall > shipY;
}

// A fighter turns every 32 frames once its first leg is flown: off a side by more than that
// swing, it never comes back.
bool GoneOffASide(const EnemyRecord& e) {
  if (e.Kind != 1 || e.Timer <= 0) return false;
  const float turn = e.X + e.DX * static_cast<float>(e.Timer);
  const float swing = std::fabs(e.DX) * 32;
  return (e.DX < 0 && e.X < -35 && turn + swing < -35) ||
         (e.DX > 0 && e.X > 420 && turn - swing > 420);
}

// Frames for the ship to close in on an item that far: it picks items up 40 pixels away.
double FramesToReach(double distance) {
  return std::max(0.0, distance - 40) / 3.5;
}

// Frames until an item falls too low to be picked up.
double ItemFramesLeft(const ItemRecord& item) {
  return item.DY > 0 ? (515 - item.Y) / item.DY : 1e4;
}

}  // namespace

int LiveEnemies() {
  int live = 0;
  if (Enemies.Allocated()) {
    for (const EnemyRecord& e : Enemies.Entries()) live += IsTrue(e.Alive) ? 1 : 0;
  }
  return live;
}

int NewBlasts() {
  int fresh = 0;
  if (Blasts.Allocated()) {
    for (const BlastRecord& b : Blasts.Entries()) fresh += b.Kind <= 3 && b.Countdown == 23 ? 1 : 0;
  }
  return fresh;
}

double NearestBullet() {
  double nearest = 1e9;
  if (!EnemyShots.Allocated()) return nearest;
  const double sx = Player.X + 25, sy = Player.Y + 27;
  // The root of the least square is the least root: one root for the small bullets.
  double nearestSquare = 1e18;
  for (const EnemyShotRecord& s : EnemyShots.Entries()) {
    if (!IsTrue(s.Alive)) continue;
    const double half = s.Kind == 1 ? 5 : s.Kind == 2 ? 8 : 70;
    const double dx = s.X + half - sx, dy = s.Y + half - sy;
    if (s.Kind == 3) {
      nearest = std::min(nearest, std::sqrt(dx * dx + dy * dy) - 60);
    } else {
      nearestSquare = std::min(nearestSquare, dx * dx + dy * dy);
    }
  }
  return nearestSquare < 1e18 ? std::min(nearest, std::sqrt(nearestSquare)) : nearest;
}

bool ItemTakenBetween(const ItemRecord& before, const ItemRecord& after) {
  return IsTrue(before.Alive) && after.Alive == kFalse && after.Y <= 560;
}

bool ItemDroppedBetween(const ItemRecord& before, const ItemRecord& after) {
  return IsTrue(before.Alive) && after.Alive == kFalse && after.Y > 560;
}

int EnemiesOutOfReach() {
  int lost = 0;
  if (Enemies.Allocated()) {
    for (const EnemyRecord& e : Enemies.Entries()) {
      lost += IsTrue(e.Alive) && (TooLateToShoot(e) || GoneOffASide(e)) ? 1 : 0;
    }
  }
  return lost;
}

int ItemsOutOfReach() {
  int lost = 0;
  for (const ItemRecord* item : {&PowerItem, &BombItem}) {
    if (!IsTrue(item->Alive)) continue;
    const double dx = item->X + 17.5 - (Player.X + 25), dy = item->Y + 17.5 - (Player.Y + 25);
    lost += item->Y + item->DY * FramesToReach(std::hypot(dx, dy)) > 515 ? 1 : 0;
  }
  return lost;
}

const EnemyRecord* UrgentEnemy(int rank) {
  if (!Enemies.Allocated()) return nullptr;
  std::vector<std::pair<double, const EnemyRecord*>> urgent;
  for (const EnemyRecord& e : Enemies.Entries()) {
    if (!IsTrue(e.Alive) || e.Y < -30 || e.X < -30 || e.X > 415 || TooLateToShoot(e)) continue;
    urgent.emplace_back(FramesToLeave(e), &e);
  }
  if (rank >= static_cast<int>(urgent.size())) return nullptr;
  std::nth_element(urgent.begin(), urgent.begin() + rank, urgent.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  return urgent[static_cast<size_t>(rank)].second;
}

std::pair<int, int> StepUnder(const EnemyRecord& e) {
  const double across = e.X + HalfWidth(e) - (Player.X + 25);
  const int dx = across > 3 ? 1 : across < -3 ? -1 : 0;
  const int dy = Player.Y < kStageHome - 3 ? 1 : Player.Y > kStageHome + 3 ? -1 : 0;
  return {dx, dy};
}

double JudgePosition(double safety) {
  const double sx = Player.X + 25, sy = Player.Y + 27;
  double value = std::min(safety, 40.0) * 50.0;
  if (CurrentScene == "boss") {
    // Closer under the boss, the shots land sooner and more volleys fly.
    if (IsTrue(BossAlive)) value -= std::fabs(sx - (BossX + 150)) * 2.0;
    value -= std::fabs(Player.Y - kBossHome) * 0.5;
  } else {
    // Under the enemy about to get out of reach first, and drawn a little towards the others.
    const EnemyRecord* target = nullptr;
    double soonest = 1e9;
    if (Enemies.Allocated()) {
      for (const EnemyRecord& e : Enemies.Entries()) {
        if (!IsTrue(e.Alive) || e.Y < -30 || e.X < -30 || e.X > 415) continue;
        const double t = FramesToLeave(e);
        value -= std::fabs(sx - (e.X + HalfWidth(e))) * 60.0 / (60.0 + t);
        if (t < soonest) soonest = t, target = &e;
      }
    }
    if (target != nullptr) {
      const double half = HalfWidth(*target);
      value -= std::fabs(sx - (target->X + half)) * 4.0;
      const double below = target->Y + 2 * half + 60;
      if (sy < below) value -= (below - sy) * 2.0;
    }
    value -= std::fabs(Player.Y - kStageHome) * 0.5;
  }
  // Towards the items, the harder the less time is left to reach them.
  for (const ItemRecord* item : {&PowerItem, &BombItem}) {
    if (IsTrue(item->Alive) && item->Y > -35) {
      const double distance =
          std::hypot(item->X + 17.5 - (Player.X + 25), item->Y + 17.5 - (Player.Y + 25));
      const double slack = std::max(0.0, ItemFramesLeft(*item) - FramesToReach(distance));
      value -= distance * 12 * 60 / (60 + slack);
    }
  }
  return value;
}

}  // namespace vormelda
