// The player's ship pictures shared by every scene that shows the ship.
#pragma once

namespace vormelda {

// The 20 x 20 exhaust flame under the ship at (x, y), by FrameCount mod 6.
void DrawExhaustFlame(int shipX, int shipY);
// The ship flying level.
void DrawLevelShip(int shipX, int shipY);

}  // namespace vormelda
