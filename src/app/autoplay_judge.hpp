// What the autoplay's look-ahead reads off the game state: what a frame did (kills, strikes,
// items) and how promising the position is at the end of a plan.
#pragma once

#include <utility>

#include "records/game_state.hpp"

namespace vormelda {

int LiveEnemies();

// Blasts made this frame: the renderer has counted them down once.
int NewBlasts();

// Distance from the ship's centre to the nearest enemy bullet's edge.
double NearestBullet();

// Shots that struck something this frame: live before, freed now, and not by leaving the field
// (a centre shot that leaves is reset to (0, 0); a diagonal one stays where it left).
template <int N>
int Strikes(const OneBasedArray<ShotSlot, N>& before, const OneBasedArray<ShotSlot, N>& after,
            bool centre) {
  int strikes = 0;
  for (int i = 1; i <= N; ++i) {
    const ShotSlot& a = after[i];
    if (!IsTrue(before[i].Alive) || IsTrue(a.Alive)) continue;
    const bool left = centre ? a.X == 0 && a.Y == 0 : a.Y < -35 || a.X < -16 || a.X > 420;
    strikes += left ? 0 : 1;
  }
  return strikes;
}

bool ItemTakenBetween(const ItemRecord& before, const ItemRecord& after);
bool ItemDroppedBetween(const ItemRecord& before, const ItemRecord& after);

// Enemies the ship can no longer shoot down: it cannot get under them with time left to fire,
// or they are fighters gone off a side too far to swing back.
int EnemiesOutOfReach();

// Items the ship can no longer reach before they fall out of the field.
int ItemsOutOfReach();

// The live enemy that is rank-th (from 0) soonest out of reach among those the ship can still
// shoot down; null when there are fewer.
const EnemyRecord* UrgentEnemy(int rank);
// The step (each of x and y -1, 0 or 1) that takes the ship under an enemy, low on the field.
std::pair<int, int> StepUnder(const EnemyRecord& e);

// How good the position looks: under the most urgent enemy, near the items, low on the field
// and clear of bullets (the nearest bullet seen along the plan).
double JudgePosition(double safety);

}  // namespace vormelda
