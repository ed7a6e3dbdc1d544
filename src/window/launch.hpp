// Where a run's files are and how it was started, and the two ways a scene leaves: a fatal error,
// and a restart of the scene flow from the title screen.
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

}  // namespace vormelda
