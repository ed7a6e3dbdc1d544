#pragma once

namespace vormelda {

// Composes one whole frame of the boss stage into the play field and shows it.
void DrawBossStage();
// The boss's hit-point gauge above the status line; it grows in over the first 120 frames.
void BossGauge();

}  // namespace vormelda
