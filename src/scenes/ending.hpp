#pragma once

namespace vormelda {

// The last scene of a finished game: the certificates it earned, the rising credits with the
// final score until Enter is released or button 3 pressed, and the high score saved.
void EndingScreen();
// Writes the certificates the final score and stock have earned.
void WriteCertificates();

}  // namespace vormelda
