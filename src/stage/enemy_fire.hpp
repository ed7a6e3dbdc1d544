#pragma once

namespace vormelda {

// Enemies fire by their timers (kind 1 an aimed fan of three, kind 2 a falling bullet, kind 3 a
// random spray), then every bullet flies and those off the field are dropped.
void EnemyFire();
// Moves every bullet, live or dead, drops those off the field by their margins, and compacts.
void FlyEnemyShots();

}  // namespace vormelda
