// settings.ini: how a player likes the window, the keys, the gamepad and the sound, kept in the
// player's folder beside HighScore.ini. Plain text a person can edit; what is missing or cannot
// be read takes its default. The game's rules never see it: the keys are bound to the same game
// keys, so a recording is the same file whatever keys played it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_layout.hpp"

namespace vormelda {

inline constexpr std::string_view kSettingsFile = "settings.ini";
// No more than this of it is read.
inline constexpr size_t kSettingsFileLimit = 64 * 1024;

// The game keys a player binds, in the order the file lists them.
enum class GameKey { Up, Down, Left, Right, Fire, Bomb, Start };
inline constexpr std::array<std::string_view, 7> kGameKeyNames = {"up",   "down", "left", "right",
                                                                  "fire", "bomb", "start"};
// The virtual key code the game's rules read for a game key.
int VirtualKeyOf(GameKey key);
// The gamepad's buttons a player binds.
enum class PadButton { Fire, Bomb, Start };
inline constexpr std::array<std::string_view, 3> kPadButtonNames = {"fire", "bomb", "start"};

struct Settings {
  struct Window {
    std::optional<Scaling> scaling;  // none: decided by the window's shape (DefaultScaling)
    bool fullscreen = false;
    int scale = 0;              // 0: the largest whole number that fits the screen
    int width = 0, height = 0;  // 0: from the scale
    bool operator==(const Window&) const = default;
  } window;
  // Names of keys and buttons as SDL names them ("X", "Space", "Keypad Enter"; "a", "start").
  std::array<std::vector<std::string>, 7> keys = {
      {{"Up"}, {"Down"}, {"Left"}, {"Right"}, {"X"}, {"Z"}, {"Return", "Keypad Enter"}}};
  std::array<std::string, 3> pad = {"a", "b", "start"};
  int musicVolume = 100;  // 0 to 100
  int effectsVolume = 100;
  bool operator==(const Settings&) const = default;
};

// What names mean: the canonical name of a key or a gamepad button, none for one unknown. The
// window's back end gives SDL's; tests give their own.
struct SettingNames {
  std::function<std::optional<std::string>(std::string_view)> key;
  std::function<std::optional<std::string>(std::string_view)> button;
};

// Reads settings.ini's text. Whatever cannot be read keeps its default, and notice says so in one
// line naming the first such line (empty when all was read).
struct ReadSettings {
  Settings settings;
  std::string notice;
};
ReadSettings ParseSettings(std::string_view text, const SettingNames& names);

// The file's text, with comments that explain each setting and its default.
std::string FormatSettings(const Settings& settings);

// The names of the scalings, as the file writes them.
std::string_view ScalingName(std::optional<Scaling> scaling);

}  // namespace vormelda
