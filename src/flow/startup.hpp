// Start-up and the scene flow: the top of the game, which starts every scene in its turn.
#pragma once

#include "window/launch.hpp"

namespace vormelda {

// Starts decoding the pictures start-up will load, so that the work runs beside the making of the
// window; LoadResources takes them over in its own order, with its captions.
void StartLoadingPictures();

// Readies the player's folder for a start: removes what a replacement of the player's files left
// behind when the program was killed half-way, and gives a player's own folder the high score the
// game comes with. Main does it first; a recording does it before it notes the files.
void PreparePlayerFolder();

void Main();
void LoadResources();
void SceneFlow();

// Runs Main on the back end in use and turns its end into an exit status: 0 when the window was
// closed, 1 after a fatal error (reported through the back end).
int RunProgram();

}  // namespace vormelda
