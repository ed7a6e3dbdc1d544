#pragma once

namespace vormelda {

// Finishes a miss once its explosion has run: a new ship, or with none left the game over picture,
// the high score saved and the scene flow started again from the title screen.
void ResolveMiss();

// Whether the player asked to leave the game over or the ending: Enter released, or button 3 down.
bool LeaveRequested();

// What the game over and the ending clear before the next game: the lists, a running bomb and the
// falling power item.
void ClearPlay();

// Takes the score into HighScoreText when it beats it and rewrites HighScore.ini, with the higher
// score of the game's and the file's (another game on the folder may have saved one). Errors are
// ignored; the old file is never left half-written.
void SaveHighScore();

}  // namespace vormelda
