#include "platform/settings.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "platform/keys.hpp"

namespace vormelda {

namespace {

constexpr size_t kLongestLine = 1024;
constexpr std::array<std::pair<std::string_view, Scaling>, 3> kScalings = {
    {{"sharp", Scaling::Sharp},
     {"sharp-fill", Scaling::SharpFill},
     {"smooth-fill", Scaling::SmoothFill}}};

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::optional<int> Number(std::string_view text, int lo, int hi) {
  int value = 0;
  const auto [at, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || at != text.data() + text.size() || value < lo ||
      value > hi) {
    return std::nullopt;
  }
  return value;
}

// What is wrong with one line; empty when it was read.
using Problem = std::string;

class Reader {
 public:
  Reader(const SettingNames& names, Settings& settings) : names_(names), s_(settings) {}

  Problem Line(std::string_view line) {
    if (line.size() > kLongestLine)
      return "longer than " + std::to_string(kLongestLine) + " characters";
    line = Trim(line);
    if (line.empty() || line[0] == '#' || line[0] == ';') return {};
    if (line.front() == '[') {
      if (line.back() != ']') return "a section is written [name]";
      section_ = Lower(Trim(line.substr(1, line.size() - 2)));
      if (section_ == "window" || section_ == "keys" || section_ == "gamepad" ||
          section_ == "sound") {
        return {};
      }
      const std::string unknown = section_;
      section_.clear();
      return "no section [" + unknown + "] (there are [window], [keys], [gamepad], [sound])";
    }
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return "a setting is written name = value";
    const std::string name = Lower(Trim(line.substr(0, equals)));
    const std::string_view value = Trim(line.substr(equals + 1));
    if (section_ == "window") return Window(name, value);
    if (section_ == "keys") return Keys(name, value);
    if (section_ == "gamepad") return Pad(name, value);
    if (section_ == "sound") return Sound(name, value);
    return "\"" + name + "\" is in no section";
  }

 private:
  Problem Window(const std::string& name, std::string_view value) {
    Settings::Window& w = s_.window;
    const std::string v = Lower(value);
    if (name == "scaling") {
      if (v == "auto") {
        w.scaling.reset();
        return {};
      }
      for (const auto& [text, scaling] : kScalings) {
        if (v == text) {
          w.scaling = scaling;
          return {};
        }
      }
      return "the scaling is auto, sharp, sharp-fill or smooth-fill, not " + std::string(value);
    }
    if (name == "fullscreen") {
      if (v != "yes" && v != "no") return "fullscreen is yes or no, not " + std::string(value);
      w.fullscreen = v == "yes";
      return {};
    }
    if (name == "scale") {
      const auto scale = v == "auto" ? std::optional<int>(0) : Number(v, 1, 16);
      if (!scale) return "the scale is auto or 1 to 16, not " + std::string(value);
      w.scale = *scale;
      return {};
    }
    if (name == "size") {
      const auto x = v.find('x');
      const auto width = Number(std::string_view(v).substr(0, x), 210, 16384);
      const auto height = x == std::string::npos
                              ? std::nullopt
                              : Number(std::string_view(v).substr(x + 1), 280, 16384);
      if (v == "auto") {
        w.width = w.height = 0;
      } else if (!width || !height) {
        return "the size is auto or WIDTHxHEIGHT (210x280 to 16384x16384), not " +
               std::string(value);
      } else {
        w.width = *width;
        w.height = *height;
      }
      return {};
    }
    return "[window] has no \"" + name + "\" (it has scaling, fullscreen, scale, size)";
  }

  Problem Keys(const std::string& name, std::string_view value) {
    const auto which = std::find(kGameKeyNames.begin(), kGameKeyNames.end(), name);
    if (which == kGameKeyNames.end()) {
      return "[keys] has no \"" + name + "\" (it has up, down, left, right, fire, bomb, start)";
    }
    std::vector<std::string> keys;
    for (size_t at = 0; at <= value.size();) {
      const size_t comma = std::min(value.find(',', at), value.size());
      const std::string_view word = Trim(value.substr(at, comma - at));
      at = comma + 1;
      const auto key = names_.key(word);
      if (!key) return "no key is named \"" + std::string(word) + "\"";
      if (std::find(keys.begin(), keys.end(), *key) == keys.end()) keys.push_back(*key);
    }
    s_.keys[static_cast<size_t>(which - kGameKeyNames.begin())] = std::move(keys);
    return {};
  }

  Problem Pad(const std::string& name, std::string_view value) {
    const auto which = std::find(kPadButtonNames.begin(), kPadButtonNames.end(), name);
    if (which == kPadButtonNames.end()) {
      return "[gamepad] has no \"" + name + "\" (it has fire, bomb, start)";
    }
    const auto button = names_.button(value);
    if (!button) return "no gamepad button is named \"" + std::string(value) + "\"";
    s_.pad[static_cast<size_t>(which - kPadButtonNames.begin())] = *button;
    return {};
  }

  Problem Sound(const std::string& name, std::string_view value) {
    if (name != "music" && name != "effects") {
      return "[sound] has no \"" + name + "\" (it has music, effects)";
    }
    const auto volume = Number(value, 0, 100);
    if (!volume) return "a volume is 0 to 100, not " + std::string(value);
    (name == "music" ? s_.musicVolume : s_.effectsVolume) = *volume;
    return {};
  }

  const SettingNames& names_;
  Settings& s_;
  std::string section_;
};

// A device key bound to two game keys: the later binding gives it up, and says so.
Problem OneGameKeyEach(Settings& settings) {
  Problem problem;
  std::vector<std::string> taken;
  for (size_t k = 0; k < settings.keys.size(); ++k) {
    auto& keys = settings.keys[k];
    const auto before = keys.size();
    std::erase_if(keys, [&](const std::string& key) {
      return std::find(taken.begin(), taken.end(), key) != taken.end();
    });
    if (keys.size() != before && problem.empty()) {
      problem = "a key is bound twice; " + std::string(kGameKeyNames[k]) + " gives it up";
    }
    if (keys.empty()) keys = Settings{}.keys[k];
    taken.insert(taken.end(), keys.begin(), keys.end());
  }
  return problem;
}

}  // namespace

int VirtualKeyOf(GameKey key) {
  constexpr int kCodes[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_X, VK_Z, VK_RETURN};
  return kCodes[static_cast<size_t>(key)];
}

ReadSettings ParseSettings(std::string_view text, const SettingNames& names) {
  ReadSettings out;
  Reader reader(names, out.settings);
  int lineNo = 0, bad = 0;
  for (size_t at = 0; at < text.size();) {
    const size_t end = std::min(text.find('\n', at), text.size());
    ++lineNo;
    const Problem problem = reader.Line(text.substr(at, end - at));
    at = end + 1;
    if (problem.empty()) continue;
    if (bad++ == 0) out.notice = "line " + std::to_string(lineNo) + ": " + problem;
  }
  if (bad > 1) out.notice += " (and " + std::to_string(bad - 1) + " more lines not understood)";
  const Problem twice = OneGameKeyEach(out.settings);
  if (out.notice.empty()) out.notice = twice;
  if (!out.notice.empty()) out.notice += "; the defaults stand for what could not be read";
  return out;
}

std::string_view ScalingName(std::optional<Scaling> scaling) {
  if (!scaling) return "auto";
  for (const auto& [text, value] : kScalings) {
    if (value == *scaling) return text;
  }
  return "auto";
}

std::string FormatSettings(const Settings& s) {
  const auto list = [](const std::vector<std::string>& keys) {
    std::string out;
    for (const std::string& k : keys) out += (out.empty() ? "" : ", ") + k;
    return out;
  };
  std::string out =
      "# Vormelda's settings. The game writes this file when you change a setting in the game\n"
      "# (F10, F11, the window's size); you may edit it too. A line taken out, or a value the\n"
      "# game cannot read, goes back to its default.\n"
      "\n[window]\n"
      "# How the field fills the window (F10 goes round them): sharp (the largest whole-number\n"
      "# scale, on black), sharp-fill (as large as fits, pixels kept crisp), smooth-fill, or auto\n"
      "# (the default: sharp, or sharp-fill where sharp leaves more than a quarter of the "
      "height).\n"
      "scaling = " +
      std::string(ScalingName(s.window.scaling)) +
      "\n"
      "# Full screen (F11 or Alt+Enter): yes or no. Default: no.\n"
      "fullscreen = " +
      (s.window.fullscreen ? "yes" : "no") +
      "\n"
      "# The window at the start: its size, WIDTHxHEIGHT; or its scale, 1 to 16. Default: auto,\n"
      "# the largest whole-number scale that fits the screen.\n"
      "size = " +
      (s.window.width > 0 ? std::to_string(s.window.width) + "x" + std::to_string(s.window.height)
                          : "auto") +
      "\n"
      "scale = " +
      (s.window.scale > 0 ? std::to_string(s.window.scale) : "auto") +
      "\n"
      "\n[keys]\n"
      "# Each game key is one or more keys by SDL's key names, separated by commas: Up, X, Z,\n"
      "# Space, Return, Keypad Enter, Left Shift, Left Ctrl, A, ... Defaults: up = Up,\n"
      "# down = Down, left = Left, right = Right, fire = X, bomb = Z, start = Return, Keypad "
      "Enter.\n"
      "# On the title screen the fire key starts the high speed, the bomb key the super high "
      "one.\n";
  for (size_t k = 0; k < s.keys.size(); ++k) {
    out += std::string(kGameKeyNames[k]) + " = " + list(s.keys[k]) + "\n";
  }
  out +=
      "\n[gamepad]\n"
      "# The buttons by SDL's names: a, b, x, y, back, start, leftshoulder, rightshoulder, ...\n"
      "# Defaults: fire = a, bomb = b, start = start. A gamecontrollerdb.txt beside this file "
      "adds\n"
      "# the layouts of gamepads SDL does not know.\n";
  for (size_t b = 0; b < s.pad.size(); ++b) {
    out += std::string(kPadButtonNames[b]) + " = " + s.pad[b] + "\n";
  }
  out +=
      "\n[sound]\n"
      "# Volumes, 0 to 100. Default: 100 each. (vormelda --mute plays without any sound.)\n"
      "music = " +
      std::to_string(s.musicVolume) +
      "\n"
      "effects = " +
      std::to_string(s.effectsVolume) + "\n";
  return out;
}

}  // namespace vormelda
