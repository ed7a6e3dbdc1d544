// The SDL back end: owns SDL's video subsystem, the window, the input devices and the sound, and
// hands the window system's events to the game during the yield.
#include "platform/sdl_platform.hpp"

#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <stdexcept>
#include <string>

#include "platform/sdl_internal.hpp"

namespace vormelda {

namespace sdl {
namespace {

// Retry and Cancel keep the answer values of the system's message box.
constexpr int kRetryButton = static_cast<int>(MessageBoxAnswer::Retry);
constexpr int kCancelButton = static_cast<int>(MessageBoxAnswer::Cancel);

constexpr uint32_t kJoyErrParms = 165;  // no such joystick
constexpr uint64_t kNsPerMs = 1000000;

uint64_t MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000000000 + static_cast<uint64_t>(now.tv_nsec);
}

Uint32 InitVideo() {
  SDL_SetMainReady();
  // A full-screen window stays when the focus goes to another one.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    throw std::runtime_error(std::string("Cannot start the video system: ") + SDL_GetError());
  }
  // Without a display SDL falls back to drivers that show nothing; a window nobody sees is no
  // use unless someone asked for exactly that.
  const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
  const char* wanted = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  const bool invisible = driver == "offscreen" || driver == "dummy";
  if (invisible && (wanted == nullptr || std::string(wanted).find(driver) == std::string::npos)) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    throw std::runtime_error("Cannot start the video system: no display was found");
  }
  return SDL_INIT_VIDEO;
}

// SDL's video subsystem for the lifetime of the back end; throws when it does not start.
class Video {
 public:
  Video() : flags_(InitVideo()) {}
  ~Video() {
    SDL_QuitSubSystem(flags_);
    QuitSdlWhenUnused();
  }
  Video(const Video&) = delete;
  Video& operator=(const Video&) = delete;

 private:
  Uint32 flags_;
};

// A signal to end the program (SIGTERM, SIGINT) normally reaches SDL, which turns it into a quit
// event that the next yield delivers. While a dialog runs its own loop no yield comes, so the
// program ends at once instead, writing nothing, with the status the dialog would have led to.
volatile std::sig_atomic_t gDialogExitStatus = -1;  // no dialog open
struct sigaction gSdlOnTerm {};
struct sigaction gSdlOnInt {};

extern "C" void OnEndSignal(int signal) {
  if (gDialogExitStatus >= 0) _exit(gDialogExitStatus);
  const struct sigaction& sdl = signal == SIGTERM ? gSdlOnTerm : gSdlOnInt;
  if (sdl.sa_handler != SIG_DFL && sdl.sa_handler != SIG_IGN) {
    sdl.sa_handler(signal);
  } else if (sdl.sa_handler == SIG_DFL) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
  }
}

// SDL shows a dialog from a child process it forks and waits for. Should the program end while
// the child shows it, the child goes too.
extern "C" void OnForkedChild() {
  if (gDialogExitStatus >= 0) prctl(PR_SET_PDEATHSIG, SIGKILL);
}

// Installs OnEndSignal over SDL's handlers for as long as the back end lives.
class EndSignals {
 public:
  EndSignals() {
    static const int registered = pthread_atfork(nullptr, nullptr, OnForkedChild);
    (void)registered;
    struct sigaction mine {};
    mine.sa_handler = OnEndSignal;
    sigemptyset(&mine.sa_mask);
    sigaction(SIGTERM, &mine, &gSdlOnTerm);
    sigaction(SIGINT, &mine, &gSdlOnInt);
  }
  ~EndSignals() {
    sigaction(SIGTERM, &gSdlOnTerm, nullptr);
    sigaction(SIGINT, &gSdlOnInt, nullptr);
  }
  EndSignals(const EndSignals&) = delete;
  EndSignals& operator=(const EndSignals&) = delete;
};

// While a dialog is open, an end signal ends the program with this status.
class DialogOpen {
 public:
  explicit DialogOpen(int exitStatus) { gDialogExitStatus = exitStatus; }
  ~DialogOpen() { gDialogExitStatus = -1; }
  DialogOpen(const DialogOpen&) = delete;
  DialogOpen& operator=(const DialogOpen&) = delete;
};

void WriteToStderr(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

class SdlPlatform final : public Platform {
 public:
  explicit SdlPlatform(const SdlOptions& options) : window_(options) {}

  void ShowWindow() override { window_.Show(); }
  void SetCaption(std::string_view utf8) override { window_.SetCaption(std::string(utf8)); }
  void SetFieldVisible(bool visible) override { window_.SetFieldVisible(visible); }
  void Present(const Surface& field) override { window_.Present(field); }
  void PumpEvents(WindowEvents& sink) override;

  int16_t GetAsyncKeyState(int virtualKey) override { return keyboard_.Query(virtualKey); }

  uint32_t JoyGetPosEx(uint32_t id, JOYINFOEX& info) override {
    if (id != JOYSTICKID1) return kJoyErrParms;
    return controllers_.Read(info) ? JOYERR_NOERROR : JOYERR_UNPLUGGED;
  }
  uint32_t JoySetCapture(uint32_t id, uint32_t, bool) override {
    if (id != JOYSTICKID1) return kJoyErrParms;
    return controllers_.Attached() ? JOYERR_NOERROR : JOYERR_UNPLUGGED;
  }
  uint32_t JoyReleaseCapture(uint32_t) override { return JOYERR_NOERROR; }

  // Milliseconds of the system's monotonic clock, as a 32-bit count that wraps.
  uint32_t TimeGetTime() override { return static_cast<uint32_t>(MonotonicNs() / kNsPerMs); }
  // To the nanosecond at which the clock starts to read `reading`: one sleep, no spinning.
  void SleepUntil(uint32_t reading) override {
    const uint64_t now = MonotonicNs();
    const auto ahead = static_cast<int32_t>(reading - static_cast<uint32_t>(now / kNsPerMs));
    if (ahead <= 0 || ahead > 1000) return;
    const uint64_t wake = (now / kNsPerMs + static_cast<uint64_t>(ahead)) * kNsPerMs;
    const timespec at{static_cast<time_t>(wake / 1000000000), static_cast<long>(wake % 1000000000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
  }

  MessageBoxAnswer MessageBoxRetryCancel(std::string_view text, std::string_view title) override;
  void ReportFatalError(std::string_view text, std::string_view title) override;

  std::unique_ptr<AudioClip> OpenClip(std::vector<uint8_t> file, bool music) override {
    return audio_.OpenClip(std::move(file), music);
  }
  void PlaySoundFromMemory(const std::vector<uint8_t>& wav) override { audio_.PlayFromMemory(wav); }

 private:
  void OnWindowEvent(const SDL_WindowEvent& event, WindowEvents& sink);

  // Declared in the order they start; they stop the other way round.
  Video video_;
  EndSignals endSignals_;
  Window window_;
  Keyboard keyboard_;
  Controllers controllers_;
  Audio audio_;
};

void SdlPlatform::PumpEvents(WindowEvents& sink) {
  // The sink's OnClose leaves by an exception: every event is fully handled before the sink is
  // called, and events not yet taken stay in SDL's queue.
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) {
    switch (event.type) {
      case SDL_QUIT:
        sink.OnClose();
        break;
      case SDL_WINDOWEVENT:
        if (event.window.windowID == window_.Id()) OnWindowEvent(event.window, sink);
        break;
      case SDL_KEYDOWN:
        if (event.key.keysym.scancode == SDL_SCANCODE_F11) {
          if (event.key.repeat == 0) window_.ToggleFullscreen();
        } else {
          keyboard_.Press(event.key.keysym.scancode);
        }
        break;
      case SDL_KEYUP:
        if (const int vk = keyboard_.Release(event.key.keysym.scancode); vk != 0) {
          sink.OnKeyUp(vk);
        }
        break;
      case SDL_CONTROLLERDEVICEADDED:
        controllers_.OnDeviceAdded(event.cdevice.which);
        break;
      case SDL_JOYDEVICEADDED:
        controllers_.OnDeviceAdded(event.jdevice.which);
        break;
      case SDL_CONTROLLERDEVICEREMOVED:
        controllers_.OnDeviceRemoved(event.cdevice.which);
        break;
      case SDL_JOYDEVICEREMOVED:
        controllers_.OnDeviceRemoved(event.jdevice.which);
        break;
      case SDL_RENDER_DEVICE_RESET:
        window_.OnDeviceReset();
        break;
      default:
        break;
    }
  }
}

void SdlPlatform::OnWindowEvent(const SDL_WindowEvent& event, WindowEvents& sink) {
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      sink.OnClose();
      break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
      window_.Repaint();
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      keyboard_.ReleaseAll();  // key releases elsewhere never reach us
      break;
    default:
      break;
  }
}

MessageBoxAnswer SdlPlatform::MessageBoxRetryCancel(std::string_view text, std::string_view title) {
  const std::string message(text);
  const std::string caption(title);
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kRetryButton, "Retry"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kCancelButton, "Cancel"},
  };
  const SDL_MessageBoxData data{
      SDL_MESSAGEBOX_ERROR | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
      window_.Shown() ? window_.Handle() : nullptr,
      caption.c_str(),
      message.c_str(),
      SDL_arraysize(buttons),
      buttons,
      nullptr,
  };
  int pressed = -1;
  const DialogOpen open(0);  // as closing the window would
  if (SDL_ShowMessageBox(&data, &pressed) != 0) return MessageBoxAnswer::Cancel;
  return pressed == kRetryButton ? MessageBoxAnswer::Retry : MessageBoxAnswer::Cancel;
}

void SdlPlatform::ReportFatalError(std::string_view text, std::string_view title) {
  WriteToStderr(text);
  const std::string message(text);
  const std::string caption(title);
  const DialogOpen open(1);  // the status of a fatal error
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), message.c_str(),
                           window_.Shown() ? window_.Handle() : nullptr);
}

}  // namespace
}  // namespace sdl

std::unique_ptr<Platform> MakeSdlPlatform(const SdlOptions& options) {
  return std::make_unique<sdl::SdlPlatform>(options);
}

void ShowSdlFatalError(std::string_view text, std::string_view title) {
  sdl::WriteToStderr(text);
  // Works without an initialised video system; fails quietly when no display can be reached.
  const std::string message(text);
  const std::string caption(title);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), message.c_str(), nullptr);
}

}  // namespace vormelda
