#pragma once

namespace vormelda {

// Flies the player's shots and frees the slots of those that left the field.
void MovePlayerShots();
// Moves every enemy by its step and pattern (kind 1 weaves, kind 2 zig-zags), drops those past
// the bottom edge and compacts the list.
void MoveEnemies();

}  // namespace vormelda
