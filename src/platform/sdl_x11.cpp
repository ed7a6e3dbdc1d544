// What is asked of X11 itself. Whether a window manager runs: SDL's full screen asks the manager
// to make the window cover the display; with none (a bare X server, a kiosk) the request is lost
// while SDL believes the window grew, and the picture is drawn off its edge. And whether the
// window was destroyed from outside (xdotool windowclose, a crashed compositor): Xlib's own error
// handler would end the program at the next request about it, so the game closes instead.
#include <SDL.h>
#include <SDL_syswm.h>

#include <atomic>

#include "platform/sdl_internal.hpp"

namespace vormelda::sdl {

namespace {

std::atomic<unsigned long> gWatched{0};  // the game's X window
Display* gDisplay = nullptr;             // and its connection
std::atomic<bool> gDestroyed{false};
XErrorHandler gOtherHandler = nullptr;

// An error about the game's own window, which no longer exists, means it was destroyed; every
// other error goes to the handler that was there before (Xlib's reports it).
int OnXError(Display* display, XErrorEvent* error) {
  const bool aboutOurs = gWatched != 0 && error->resourceid == gWatched;
  if (aboutOurs && (error->error_code == BadWindow || error->error_code == BadDrawable)) {
    gDestroyed = true;
    return 0;
  }
  return gOtherHandler != nullptr ? gOtherHandler(display, error) : 0;
}

}  // namespace

void WatchForDestroyedWindow(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE) return;
#if defined(SDL_VIDEO_DRIVER_X11)
  if (info.subsystem != SDL_SYSWM_X11) return;
  gWatched = info.info.x11.window;
  gDisplay = info.info.x11.display;
  static const XErrorHandler other = XSetErrorHandler(OnXError);
  if (other != OnXError) gOtherHandler = other;
#endif
}

bool WindowDestroyed() {
  return gDestroyed;
}

void WindowGone() {
#if defined(SDL_VIDEO_DRIVER_X11)
  // The errors of destroying a window destroyed already reach the handler now: when SDL closes
  // its connection it has given Xlib's own handler back, which would end the program.
  if (gDisplay != nullptr) XSync(gDisplay, False);
#endif
  gWatched = 0;
  gDisplay = nullptr;
}

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
