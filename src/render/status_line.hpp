// The bottom strip of the field: ships left, bombs in stock and the score.
#pragma once

#include <cstdint>

namespace vormelda {

// From Player.Lives, Player.Bombs and Player.Score; the caller refreshes.
void DrawStatusLine();
// The strip of a game that has just begun (3 ships, 2 bombs, 00000), whatever Player holds: the
// title screen and the stage's intro show it.
void DrawStartingStatusLine();
// The score's digits ("00000" and longer) from x 320 on the strip's row; the ending shows it too.
void DrawScore(int32_t score);

}  // namespace vormelda
