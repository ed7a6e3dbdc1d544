#pragma once

namespace vormelda {

// Finishes a miss once its explosion has run: a new ship, or with none left the game over picture,
// the high score saved and the scene flow started again from the title screen.
void ResolveMiss();

// Takes the score into HighScoreText when it beats it and rewrites HighScore.ini. Errors are
// ignored; the old file is never left half-written.
void SaveHighScore();

}  // namespace vormelda
