// The runner's input script: lines "TICK TOKEN..." naming exactly the inputs held from that tick:
// keys (Up Down Left Right X Z Enter), taps (tap:KEY, pressed and released during the tick), the
// joystick (Joy, J1 J2 J3, JX=N JY=N, or NoJoy once it is unplugged) and the window's close.
#pragma once

#include <cstdint>
#include <istream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vormelda {

struct InputLine {
  int64_t tick = 0;
  std::vector<int> heldKeys;    // virtual key codes
  std::vector<int> tappedKeys;  // pressed and released just before the tick's yield
  bool joystick = false;        // the line names a joystick token: one is plugged in
  bool joystickGone = false;    // NoJoy: the joystick was unplugged
  uint32_t joyX = 32767;
  uint32_t joyY = 32767;
  uint32_t joyButtons = 0;
  bool close = false;
};

// A line longer than this is refused as it is read, so that a stranger's file of a line of
// megabytes costs nothing; no line may speak of a tick past the other (a game lasts some ten
// thousand ticks).
inline constexpr size_t kMaxScriptLine = 4096;
inline constexpr int64_t kMaxScriptTick = 100'000'000;

// One line of a script: its input, or nothing for a blank line or a comment ("#..."). Throws
// std::runtime_error naming the line when it is bad.
std::optional<InputLine> ParseScriptLine(std::string_view text, int lineNo);
// Lines by tick, in order of their ticks.
std::vector<InputLine> InputByTick(std::map<int64_t, InputLine> byTick);

// Parses a whole script; throws std::runtime_error naming the line of a bad token. Lines come out
// sorted by tick (a later line for the same tick replaces the earlier one).
std::vector<InputLine> ParseInputScript(std::istream& in);

// Plays a script tick by tick: the input in force at each tick is its latest line, whose taps and
// close count only at its own tick.
class ScriptPlayer {
 public:
  explicit ScriptPlayer(std::vector<InputLine> lines) : lines_(std::move(lines)) {}
  // The input of this tick; ticks are asked in increasing order.
  InputLine At(int64_t tick);

 private:
  std::vector<InputLine> lines_;
  size_t next_ = 0;
  InputLine current_;
};

// The inverse, one line: "TICK TOKEN..." (used to record scripts).
std::string FormatInputLine(const InputLine& line);

// The whole of text as a whole number from lo to hi; empty when it is anything else.
std::optional<int64_t> ParseWholeNumber(std::string_view text, int64_t lo, int64_t hi);

}  // namespace vormelda
