#pragma once

namespace vormelda {

// Shots and bombs cost the boss a hit point each; below 1500 it turns to its second phase and
// drops a power item; at 0 it dies in its final explosion for 10000 points.
void BossDamage();
// Ends the boss loop once the final explosion has run out.
void CheckBossDefeat();

}  // namespace vormelda
