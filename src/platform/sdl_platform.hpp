// The SDL back end: a real window, keyboard and game controllers, the system clock, message boxes
// and sound through the mixer library.
#pragma once

#include <memory>
#include <string_view>

#include "platform/platform.hpp"

namespace vormelda {

struct SdlOptions {
  // Whole-number scale of the play field in the opening window; 0 picks the largest that fits
  // the usable area of the display.
  int windowScale = 0;
};

// Throws std::runtime_error when the video system or the window cannot be set up.
std::unique_ptr<Platform> MakeSdlPlatform(const SdlOptions& options);

// For errors before a platform exists (e.g. MakeSdlPlatform threw): writes the text and a newline
// to stderr and shows it in an error message box when a display can be reached.
void ShowSdlFatalError(std::string_view text, std::string_view title);

}  // namespace vormelda
