#pragma once

#include <cstdint>

namespace vormelda {

// The player's shots damage enemies; an enemy left without hit points explodes for its points.
// While a bomb runs no shot is tested: every live enemy is destroyed.
void ShotHits();

// Whether a 16 x 35 shot at (x, y) touches the ellipse: five points of its lower part count.
bool ShotTouches(int32_t x, int32_t y, int32_t rx, int32_t ry, int32_t cx, int32_t cy);

}  // namespace vormelda
