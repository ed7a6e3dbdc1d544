// The runner's input script: lines "TICK TOKEN..." naming exactly the inputs held from that tick.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vormelda {

struct InputLine {
  int64_t tick = 0;
  std::vector<int> heldKeys;    // virtual key codes
  std::vector<int> tappedKeys;  // pressed and released just before the tick's yield
  bool joystick = false;        // the line names a joystick token
  uint32_t joyX = 32767;
  uint32_t joyY = 32767;
  uint32_t joyButtons = 0;
  bool close = false;
};

// Parses a whole script; throws std::runtime_error naming the line of a bad token. Lines come out
// sorted by tick (a later line for the same tick replaces the earlier one).
std::vector<InputLine> ParseInputScript(std::istream& in);

// The inverse, one line: "TICK TOKEN..." (used to record scripts).
std::string FormatInputLine(const InputLine& line);

// The whole of text as a whole number from lo to hi; empty when it is anything else.
std::optional<int64_t> ParseWholeNumber(std::string_view text, int64_t lo, int64_t hi);

}  // namespace vormelda
