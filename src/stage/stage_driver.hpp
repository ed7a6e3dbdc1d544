#pragma once

namespace vormelda {

// The scrolling stage: the intro flies the ship in while the background slows from 15 to 1 pixel
// a frame, then the play frames run until FrameCount reaches 8401.
void StageDriver();
// The ten steps of one play frame, in their fixed order.
void StagePlayFrame();

// Reads Music/MyAttack.wav whole into ShotSound; a file that is missing, empty, not a regular
// file or larger than an effect may be is fatal.
void LoadShotSound();
// The shot slots' steps for a new stage, all free.
void ResetShotSlots();

}  // namespace vormelda
