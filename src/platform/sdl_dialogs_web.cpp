// Dialogs in the browser: its own confirm() for Retry (OK) and Cancel, and alert() for an error,
// which the page also keeps written (system_web.js).
#include "platform/sdl_internal.hpp"

extern "C" {
int vormelda_confirm(const char* title, const char* text);
void vormelda_alert(const char* title, const char* text);
}

namespace vormelda::sdl {

bool AskRetry(const std::string& text, const std::string& title, SDL_Window*) {
  return vormelda_confirm(title.c_str(), text.c_str()) != 0;
}

void ShowError(const std::string& text, const std::string& title, SDL_Window*) {
  vormelda_alert(title.c_str(), text.c_str());
}

}  // namespace vormelda::sdl
