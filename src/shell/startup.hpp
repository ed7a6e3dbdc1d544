// Start-up and the scene flow.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace vormelda {

inline constexpr const char* kGameTitle = "Vormelda";

// Set by the program entry before Main: the data folder, the folder for the player's files, and,
// for replays, a fixed seed.
struct LaunchSettings {
  std::string appFolder;     // empty: found from where the program is
  std::string playerFolder;  // empty: the data folder
  std::optional<uint32_t> seed;
  // A practice start: the first game goes straight into the boss stage at this frame rate.
  std::optional<uint8_t> bossPractice;
};
inline LaunchSettings Launch;

// A run-time error that ends the program with an error report (a missing picture, say).
class FatalError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Thrown by a game over to start the scene flow again from the title screen.
struct RestartGame {};

// The program's data folder with exactly one trailing "/".
std::string AppPath();
// The folder of the player's files (HighScore.ini and the certificates), with one trailing "/".
std::string PlayerPath();

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
