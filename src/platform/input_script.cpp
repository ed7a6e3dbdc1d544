#include "platform/input_script.hpp"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <map>
#include <sstream>
#include <stdexcept>

#include "platform/joyinfo.hpp"
#include "platform/keys.hpp"

namespace vormelda {

namespace {

const std::map<std::string, int>& KeyNames() {
  static const std::map<std::string, int> names{
      {"Up", VK_UP}, {"Down", VK_DOWN}, {"Left", VK_LEFT},   {"Right", VK_RIGHT},
      {"X", VK_X},   {"Z", VK_Z},       {"Enter", VK_RETURN}};
  return names;
}

[[noreturn]] void Refuse(int lineNo, const std::string& what) {
  throw std::runtime_error("input script line " + std::to_string(lineNo) + ": " + what);
}

[[noreturn]] void RefuseLongLine(int lineNo) {
  Refuse(lineNo, "longer than " + std::to_string(kMaxScriptLine) + " characters");
}

uint32_t ParseAxis(const std::string& text, int lineNo) {
  const auto value = ParseWholeNumber(text, 0, 65535);
  if (!value) Refuse(lineNo, "axis value out of 0..65535: " + text);
  return static_cast<uint32_t>(*value);
}

int64_t ParseTick(const std::string& word, int lineNo, std::string_view text) {
  const auto tick = ParseWholeNumber(word, 1, kMaxScriptTick);
  if (!tick) {
    Refuse(lineNo, "a line starts with its tick, 1 to " + std::to_string(kMaxScriptTick) +
                       " (a game lasts some ten thousand): " + std::string(text.substr(0, 60)));
  }
  return *tick;
}

// Adds what one token names to the line.
void ApplyToken(const std::string& token, InputLine& line, int lineNo) {
  const auto& keys = KeyNames();
  if (auto k = keys.find(token); k != keys.end()) {
    line.heldKeys.push_back(k->second);
  } else if (token.rfind("tap:", 0) == 0 && keys.count(token.substr(4)) != 0) {
    line.tappedKeys.push_back(keys.at(token.substr(4)));
  } else if (token == "J1" || token == "J2" || token == "J3") {
    line.joystick = true;
    line.joyButtons |= token == "J1" ? JOY_BUTTON1 : token == "J2" ? JOY_BUTTON2 : JOY_BUTTON3;
  } else if (token.rfind("JX=", 0) == 0 || token.rfind("JY=", 0) == 0) {
    line.joystick = true;
    (token[1] == 'X' ? line.joyX : line.joyY) = ParseAxis(token.substr(3), lineNo);
  } else if (token == "Joy") {
    line.joystick = true;
  } else if (token == "NoJoy") {
    line.joystickGone = true;
  } else if (token == "close") {
    line.close = true;
  } else {
    Refuse(lineNo, "unknown token " + token);
  }
}

}  // namespace

std::optional<InputLine> ParseScriptLine(std::string_view text, int lineNo) {
  if (text.size() > kMaxScriptLine) RefuseLongLine(lineNo);
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos || text[first] == '#') return std::nullopt;
  std::istringstream words{std::string(text)};
  std::string word;
  words >> word;
  InputLine line;
  line.tick = ParseTick(word, lineNo, text);
  while (words >> word) ApplyToken(word, line, lineNo);
  return line;
}

std::vector<InputLine> InputByTick(std::map<int64_t, InputLine> byTick) {
  std::vector<InputLine> lines;
  lines.reserve(byTick.size());
  for (auto& [tick, line] : byTick) lines.push_back(std::move(line));
  return lines;
}

std::vector<InputLine> ParseInputScript(std::istream& in) {
  std::map<int64_t, InputLine> byTick;
  std::string text;
  int lineNo = 0;
  // Read a line at a time, never more than the longest a line may be.
  while (in.good()) {
    ++lineNo;
    text.clear();
    for (int c = in.get(); c != EOF && c != '\n'; c = in.get()) {
      if (text.size() > kMaxScriptLine) RefuseLongLine(lineNo);
      text += static_cast<char>(c);
    }
    if (const auto line = ParseScriptLine(text, lineNo)) byTick[line->tick] = *line;
  }
  return InputByTick(std::move(byTick));
}

InputLine ScriptPlayer::At(int64_t tick) {
  current_.tappedKeys.clear();
  current_.close = false;
  current_.joystickGone = false;
  while (next_ < lines_.size() && lines_[next_].tick <= tick) current_ = lines_[next_++];
  InputLine now = current_;
  now.tick = tick;
  return now;
}

std::optional<int64_t> ParseWholeNumber(std::string_view text, int64_t lo, int64_t hi) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || at != end || value < lo || value > hi) {
    return std::nullopt;
  }
  return value;
}

std::string FormatInputLine(const InputLine& line) {
  std::string out = std::to_string(line.tick);
  for (int vk : line.heldKeys) {
    for (const auto& [name, code] : KeyNames()) {
      if (code == vk) out += " " + name;
    }
  }
  for (int vk : line.tappedKeys) {
    for (const auto& [name, code] : KeyNames()) {
      if (code == vk) out += " tap:" + name;
    }
  }
  if (line.joystick) {
    bool plain = true;
    if (line.joyButtons & JOY_BUTTON1) out += " J1", plain = false;
    if (line.joyButtons & JOY_BUTTON2) out += " J2", plain = false;
    if (line.joyButtons & JOY_BUTTON3) out += " J3", plain = false;
    if (line.joyX != 32767) out += " JX=" + std::to_string(line.joyX), plain = false;
    if (line.joyY != 32767) out += " JY=" + std::to_string(line.joyY), plain = false;
    if (plain) out += " Joy";
  }
  if (line.joystickGone) out += " NoJoy";
  if (line.close) out += " close";
  return out;
}

}  // namespace vormelda
