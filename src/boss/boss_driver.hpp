#pragma once

namespace vormelda {

// The boss stage: the boss enters with its music, sways and fights until its final explosion has
// run out; then the ship flies off the top of the field.
void BossDriver();
// The ten steps of one boss frame, in their fixed order.
void BossPlayFrame();
// Moves the boss (entering, then swaying between 0 and 120) and the power item it dropped.
void MoveBoss();
// The boss's start values.
void ResetBoss();

}  // namespace vormelda
