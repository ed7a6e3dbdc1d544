// The one question asked of X11 itself: whether a window manager runs. SDL's full screen asks
// the manager to make the window cover the display; with none (a bare X server, a kiosk) the
// request is lost while SDL believes the window grew, and the picture is drawn off its edge.
#include <SDL.h>
#include <SDL_syswm.h>

#include "platform/sdl_internal.hpp"

namespace vormelda::sdl {

bool WindowManaged(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE) return true;
#if defined(SDL_VIDEO_DRIVER_X11)
  if (info.subsystem == SDL_SYSWM_X11) {
    // A running manager names its own window in this root property (the EWMH convention).
    Display* display = info.info.x11.display;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == 0) return false;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                          XA_WINDOW, &type, &format, &count, &left, &data);
    const bool managed = status == Success && type == XA_WINDOW && count == 1;
    if (data != nullptr) XFree(data);
    return managed;
  }
#endif
  return true;  // Wayland and the rest always manage their windows
}

}  // namespace vormelda::sdl
