#pragma once

#include <cstdint>

namespace vormelda {

struct EnemyShotRecord;

// Whether an enemy body or bullet hits the ship; at the first hit the miss begins.
void CheckPlayerHit();

// The miss: the explosion sound, the ship off the field, its explosion where it was and the
// 26-frame countdown.
void StartMiss();

// Whether a kind 1 (10 x 10) or other small bullet hits the ship's core: the midpoints of its four
// sides are tested against the ship point's small ellipse.
bool BulletHitsShip(const EnemyShotRecord& bullet);

}  // namespace vormelda
