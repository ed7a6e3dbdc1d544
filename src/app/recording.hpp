// Recorded games: an input script that starts with a version line naming the seed and the start,
// and carries a checksum of the whole game state every second of play, so that a replay confirms
// the game behaves exactly as when it was recorded.
#pragma once

#include <cstdint>
#include <istream>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.hpp"
#include "platform/input_script.hpp"
#include "platform/platform.hpp"
#include "scenes/high_score_file.hpp"

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
  // The player's files at the start; a recording without them starts with the files the game
  // comes with: a high score of 00000 and no certificates.
  PlayerFiles files{FixedFive("00000")};
};

// "# vormelda-recording 2 seed=4 start=title high=00000 certificates=none"; the five characters of
// the high score are written as they are where they are letters, digits, ".", "+" or "-", else as
// %XX; "high=missing" when HighScore.ini could not be read; the certificates are "none", "top",
// "no-miss" or "top,no-miss".
std::string FormatRecordingHeader(const RecordingHeader& header);
// Reads the first line of a recording; throws std::runtime_error with a one-line reason when it is
// not a recording of the version this program plays.
RecordingHeader ParseRecordingHeader(std::string_view firstLine);

// A checksum of the game's behaviour: the whole game state (but the shot sound's bytes, which are
// the file's) and the running scene, serialised field by field. 16 hex digits.
std::string StateChecksum();

// Writes a run as a recording: the header, a script line whenever the inputs change (and for every
// tap or close), a checksum every kCheckEvery ticks, and every answer a message box gave. Lines
// are written as the game plays them, and the file is flushed with the header, every checksum and
// every answer.
class Recorder {
 public:
  Recorder(std::ostream& out, const RecordingHeader& header);
  // At each yield, after the tick's input has been applied.
  void OnYield(int64_t tick, const InputLine& input);
  // "# message-box retry" or "... cancel".
  void OnMessageBox(MessageBoxAnswer answer);

 private:
  std::ostream& out_;
  InputLine last_;
  bool any_ = false;
};

// The player's files the game is about to start with (after PreparePlayerFolder), for the header
// of a recording.
PlayerFiles StartingPlayerFiles();

// A folder of its own for a replay's player files, holding the files the recording started with,
// and set as the player's folder: a replay neither depends on the player's own files nor changes
// them. Throws std::runtime_error when the folder cannot be made or filled.
std::unique_ptr<TemporaryFolder> UseReplayFolder(const PlayerFiles& files);

// A whole game's recording is some tens of kilobytes; a file larger than this is refused unread.
inline constexpr size_t kRecordingFileLimit = 16 * 1024 * 1024;

// What a replay takes from a recording: its header, the answers its message boxes gave, its inputs
// by tick, its checksums by tick, and its last tick (of an input or a check line). The replay
// closes the window after that tick, so that a recording that stops without a close (cut short by
// a tick limit, or by the recording program being killed) still ends; a last line that was cut
// short as it was written is left out. Throws std::runtime_error with a one-line reason naming the
// line when the text is no recording to play (a bad token, a tick beyond any game, a line of
// more than kMaxScriptLine characters).
struct Replay {
  RecordingHeader header;
  std::vector<MessageBoxAnswer> answers;
  std::vector<InputLine> input;
  std::map<int64_t, std::string> checks;
  int64_t end = 0;
};
Replay ParseReplay(std::string_view text);
// The same from a file, read boundedly; the reason then follows `option` and the file's name.
Replay ReadReplay(const std::string& file, std::string_view option);

// Thrown when the state at a checked tick differs from the recording.
struct VerifyMismatch {
  int64_t tick;
};

// Confirms the checksums of a recording as the replay reaches their ticks.
class Verifier {
 public:
  explicit Verifier(std::map<int64_t, std::string> checks);
  void OnYield(int64_t tick);  // throws VerifyMismatch
  int Checked() const { return checked_; }
  int Expected() const { return static_cast<int>(checks_.size()); }

 private:
  std::map<int64_t, std::string> checks_;
  int checked_ = 0;
};

}  // namespace vormelda
