// Window systems other than X11 (Windows, Wayland through SDL's own driver, the browser) always
// manage the game's window.
#include "platform/sdl_internal.hpp"

namespace vormelda::sdl {

bool WindowManaged(SDL_Window*) {
  return true;
}

}  // namespace vormelda::sdl
