#pragma once

namespace vormelda {

// The first scene of every game: reads the high score, looks for the certificates, prepares a new
// game and returns when a start key chooses its speed.
void TitleScreen();

// The set-up's steps, for the tests.
void ReadHighScoreFile();
struct StartModes {
  bool HighSpeedAllowed = false;
  bool SuperHighSpeedAllowed = false;
};
StartModes LookForCertificates();
// The title screen's set-up: the high score, the certificates, a fresh player record, the stage
// music opened, FrameCount 0 and FramesPerSecond 60.
StartModes PrepareNewGame();

}  // namespace vormelda
