// The drawing steps both stage renderers share, with the bookkeeping they own: the bomb, blast and
// miss countdowns, the enemies' hit flash and the bullets' animation.
#pragma once

namespace vormelda {

// While a bomb runs: empties EnemyShots, plays the bomb sound at 65, shows its picture, counts
// down.
void DrawBomb();
// The 50 x 50 explosions of Blasts, counted down and compacted.
void DrawBlasts();
// The player's explosion, counted down; true in the frame in which the countdown runs out.
bool DrawPlayerExplosion();
// The exhaust flame and the ship by its bank, while the ship is on screen.
void DrawPlayerShip();
void DrawItems();
void DrawEnemies();
void DrawPlayerShots();
// Bullets of kinds 1 and 2, advancing their animation steps.
void DrawSmallBullets();

}  // namespace vormelda
