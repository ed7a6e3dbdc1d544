// The SDL back end: a real window, keyboard and game controllers, the system clock, message boxes
// and sound through the mixer library; pause, screenshots, sharp scaling and full screen on top.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/input_script.hpp"
#include "platform/platform.hpp"
#include "platform/settings.hpp"

namespace vormelda {

struct SdlOptions {
  // The player's settings (settings.ini): the window, the keys, the gamepad, the volumes.
  Settings settings;
  // Called when the player changed a setting through the window (F10, F11, its size), to keep it.
  std::function<void(const Settings&)> onSettingsChanged;
  std::string controllerLayouts;  // gamecontrollerdb.txt in the player's folder
  // From the command line, over the settings: a whole-number scale of the play field in the
  // opening window, and full screen.
  int windowScale = 0;
  bool fullscreen = false;
  bool mute = false;             // no sound at all
  std::string iconFile;          // the window's icon; none when empty or unreadable
  std::string screenshotFolder;  // F12 writes into its Screenshots folder
  // A replay or the autoplay: the game's input comes from here, tick by tick, and the devices
  // only pause, scale, go full screen and take screenshots; holding Tab runs time four times as
  // fast.
  std::function<InputLine(int64_t tick)> inputSource;
  // Answers to the message boxes, in order (a replay's); boxes after them are shown.
  std::vector<MessageBoxAnswer> messageBoxAnswers;
  // At every yield, after its input has reached the game: that input (to record it).
  std::function<void(int64_t tick, const InputLine& input)> onYield;
  // Every answer a message box gave.
  std::function<void(MessageBoxAnswer)> onMessageBox;
};

// Throws std::runtime_error when the video system or the window cannot be set up.
std::unique_ptr<Platform> MakeSdlPlatform(SdlOptions options);

// SDL's names of keys and gamepad buttons, for reading settings.ini.
SettingNames SdlSettingNames();

// For errors before a platform exists (e.g. MakeSdlPlatform threw): writes the text and a newline
// to stderr and shows it in an error message box when a display can be reached.
void ShowSdlFatalError(std::string_view text, std::string_view title);

}  // namespace vormelda
