// Window systems other than X11 (Windows, Wayland through SDL's own driver, the browser) always
// manage the game's window.
#include "platform/sdl_internal.hpp"

namespace vormelda::sdl {

bool WindowManaged(SDL_Window*) {
  return true;
}

// Their windows are not destroyed behind the program's back: a request to close comes as an
// event.
void WatchForDestroyedWindow(SDL_Window*) {}

bool WindowDestroyed() {
  return false;
}

void WindowGone() {}

}  // namespace vormelda::sdl
