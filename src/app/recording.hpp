// Recorded games: an input script that starts with a version line naming the seed and the start,
// and carries a checksum of the whole game state every second of play, so that a replay confirms
// the game behaves exactly as when it was recorded.
#pragma once

#include <cstdint>
#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/input_script.hpp"

namespace vormelda {

inline constexpr int kRecordingVersion = 2;
// A checksum is written at every tick that is a multiple of this.
inline constexpr int64_t kCheckEvery = 60;

// Where a run begins: the title screen, or a practice start at the boss at 60, 75 or 100 frames a
// second ("boss", "boss:75", "boss:100").
struct StartMode {
  std::optional<uint8_t> bossPractice;
  std::string Name() const;
  // Throws std::invalid_argument for anything but the names above and "title".
  static StartMode Parse(std::string_view name);
};

struct RecordingHeader {
  uint32_t seed = 1;
  StartMode start;
};

// "# vormelda-recording 2 seed=4 start=title"
std::string FormatRecordingHeader(const RecordingHeader& header);
// Reads the first line of a recording; throws std::runtime_error with a one-line reason when it is
// not a recording of the version this program plays.
RecordingHeader ReadRecordingHeader(std::istream& in);

// A checksum of the game's behaviour: the whole game state (but the shot sound's bytes, which are
// the file's) and the running scene, serialised field by field. 16 hex digits.
std::string StateChecksum();

// Writes a run as a recording: the header, a script line whenever the inputs change (and for every
// tap or close), and a checksum every kCheckEvery ticks.
class Recorder {
 public:
  Recorder(std::ostream& out, const RecordingHeader& header);
  // At each yield, after the tick's input has been applied.
  void OnYield(int64_t tick, const InputLine& input);

 private:
  std::ostream& out_;
  InputLine last_;
  bool any_ = false;
};

// Thrown when the state at a checked tick differs from the recording.
struct VerifyMismatch {
  int64_t tick;
};

// Confirms the checksums of a recording as the replay reaches their ticks.
class Verifier {
 public:
  explicit Verifier(std::istream& recording);
  void OnYield(int64_t tick);  // throws VerifyMismatch
  int Checked() const { return checked_; }
  int Expected() const { return static_cast<int>(checks_.size()); }

 private:
  std::map<int64_t, std::string> checks_;
  int checked_ = 0;
};

}  // namespace vormelda
