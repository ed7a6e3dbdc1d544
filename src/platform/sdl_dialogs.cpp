// Dialogs through SDL's message boxes: the system's own on Windows, a dialog of SDL's on X11.
#include "platform/sdl_internal.hpp"

namespace vormelda::sdl {

namespace {

// Retry and Cancel keep the answer values of the system's message box.
constexpr int kRetryButton = static_cast<int>(MessageBoxAnswer::Retry);
constexpr int kCancelButton = static_cast<int>(MessageBoxAnswer::Cancel);

}  // namespace

bool AskRetry(const std::string& text, const std::string& title, SDL_Window* parent) {
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kRetryButton, "Retry"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kCancelButton, "Cancel"},
  };
  const SDL_MessageBoxData data{
      SDL_MESSAGEBOX_ERROR | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
      parent,
      title.c_str(),
      text.c_str(),
      SDL_arraysize(buttons),
      buttons,
      nullptr,
  };
  int pressed = -1;
  return SDL_ShowMessageBox(&data, &pressed) == 0 && pressed == kRetryButton;
}

void ShowError(const std::string& text, const std::string& title, SDL_Window* parent) {
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), parent);
}

}  // namespace vormelda::sdl
