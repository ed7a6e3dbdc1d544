// The SDL back end: owns SDL's video subsystem, the window, the input devices and the sound, and
// hands the window system's events to the game during the yield. Around the game it pauses (P,
// Pause, or the window losing the focus), scales (F10), goes full screen (F11, Alt+Enter) and
// takes screenshots (F12); it also plays a recording or the autoplay's keys into the game, and
// reports each tick's input for a recording.
#include "platform/sdl_platform.hpp"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/game_clock.hpp"
#include "platform/sdl_internal.hpp"
#include "platform/system.hpp"
#include "platform/timing_log.hpp"

namespace vormelda {

namespace sdl {
namespace {

constexpr int kFastForward = 4;  // how much faster time runs while Tab is held during a replay
constexpr uint64_t kPausedPollNs = 10'000'000;

Uint32 InitVideo() {
  SDL_SetMainReady();
  // A full-screen window stays when the focus goes to another one.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // In the browser, SDL would return to the page at every present as well: a second wait each
  // frame, which the browser's timers make 4 ms at least. The frame's own wait returns to it once
  // a frame, and the back end's other waits sleep by the system's own calls, never SDL_Delay.
  // (The web build relies on this: SDL's code is left out of its rewriting for sleeps.)
  SDL_SetHint(SDL_HINT_EMSCRIPTEN_ASYNCIFY, "0");
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

void WriteToStderr(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

// What the events of one yield brought besides the keys and the joystick.
struct YieldEvents {
  bool close = false;
};

class SdlPlatform final : public Platform {
 public:
  explicit SdlPlatform(SdlOptions options)
      : options_(std::move(options)),
        window_(options_),
        audio_(options_.mute, options_.settings.musicVolume, options_.settings.effectsVolume) {
    // The frame loop sleeps nearly all the time and must wake on its millisecond; where the system
    // lets a player's program ask (directly or through RealtimeKit), it wakes before busy ones.
    SDL_SetThreadPriority(SDL_THREAD_PRIORITY_HIGH);
    WatchForDestroyedWindow(window_.Handle());
  }

  ~SdlPlatform() override { KeepSettings(true); }

  void ShowWindow() override { window_.Show(); }
  void SetCaption(std::string_view utf8) override {
    window_.SetCaption(std::string(utf8));
    if (timing_) timing_->Caption(MonotonicNs(), utf8);
  }
  void SetFieldVisible(bool visible) override { window_.SetFieldVisible(visible); }
  void Present(const Surface& field) override {
    const uint64_t start = timing_ ? MonotonicNs() : 0;
    window_.Present(field);
    if (timing_) timing_->Present(start, MonotonicNs());
  }
  void PumpEvents(WindowEvents& sink) override;

  // Milliseconds of the game's clock, as a 32-bit count that wraps.
  uint32_t TimeGetTime() override { return clock_.Ms(MonotonicNs()); }
  // To the nanosecond at which the clock starts to read `reading`: one sleep, no spinning.
  void SleepUntil(uint32_t reading) override {
    if (const auto wake = clock_.WakeFor(reading, MonotonicNs())) SleepUntilNs(*wake);
  }

  MessageBoxAnswer MessageBoxRetryCancel(std::string_view text, std::string_view title) override;
  void ReportFatalError(std::string_view text, std::string_view title) override;

  std::unique_ptr<AudioClip> OpenClip(std::vector<uint8_t> file, bool music) override {
    return audio_.OpenClip(std::move(file), music);
  }
  void PlaySoundFromMemory(const std::vector<uint8_t>& wav) override { audio_.PlayFromMemory(wav); }

 private:
  bool Scripted() const { return static_cast<bool>(options_.inputSource); }
  void Handle(const SDL_Event& event, YieldEvents& yield);
  void HandleWindowEvent(const SDL_WindowEvent& event, YieldEvents& yield);
  // The keys the player has around the game; true when the event was one of them.
  bool HandleControlKey(const SDL_KeyboardEvent& key);
  void SetPaused(bool paused, bool byFocus);
  void SaveScreenshot();
  // A setting the player changed through the window (F10, F11, its size) is kept: at once, or,
  // while the window is being resized, once it has kept its size for half a second.
  void SettingsChanged() {
    settingsChangedAt_ = MonotonicNs();
    settingsChanged_ = true;
  }
  void KeepSettings(bool now);

  SdlOptions options_;
  // Declared in the order they start; they stop the other way round.
  Video video_;
  EndSignals endSignals_;
  Window window_;
  Keyboard keyboard_{GameKeyBindings(options_.settings)};
  Controllers controllers_{options_.settings.pad, options_.controllerLayouts};
  Audio audio_;
  // The monotonic clock, run faster while a replay is fast-forwarded.
  GameClock clock_{MonotonicNs()};
  int64_t tick_ = 0;
  bool joystickWasAttached_ = false;
  bool paused_ = false;
  bool pausedByFocus_ = false;
  size_t nextAnswer_ = 0;
  std::unique_ptr<TimingLog> timing_ = TimingLog::FromEnvironment();
  const uint64_t startedAt_ = MonotonicNs();
  bool settingsChanged_ = false;
  uint64_t settingsChangedAt_ = 0;
};

void SdlPlatform::KeepSettings(bool now) {
  constexpr uint64_t kSettled = 500000000;  // ns
  if (!settingsChanged_ || !options_.onSettingsChanged) return;
  if (!now && MonotonicNs() - settingsChangedAt_ < kSettled) return;
  settingsChanged_ = false;
  Settings settings = options_.settings;
  settings.window = window_.Current();
  if (settings == options_.settings) return;
  options_.settings = settings;
  options_.onSettingsChanged(settings);
}

void SdlPlatform::PumpEvents(WindowEvents& sink) {
  ++tick_;
  YieldEvents yield;
  // Paused, the game stays in this yield: the window keeps answering, the process sleeps. It
  // polls between short sleeps: SDL's event wait on X11 wakes itself with a message sent to the
  // window over a second connection, which can reach the server after a close has destroyed the
  // window, and Xlib then ends the program with status 1.
  for (SDL_Event event;;) {
    while (SDL_PollEvent(&event) != 0) Handle(event, yield);
    // A window destroyed from outside is closed, as by the player.
    yield.close = yield.close || WindowDestroyed();
    KeepSettings(yield.close);
    if (!paused_ || yield.close) break;
    SleepAboutNs(kPausedPollNs);
  }
  // The tick's input record: the recording's or the autoplay's, or what the devices did. The game
  // reads its keys and joystick from this record alone.
  InputLine input;
  if (Scripted()) {
    input = options_.inputSource(tick_);
    input.tick = tick_;
  } else {
    const auto joystick = controllers_.Reading();
    input =
        LineOfTick(tick_, keyboard_.TakeActivity(), joystick, joystickWasAttached_, yield.close);
    joystickWasAttached_ = joystick.has_value();
  }
  const std::vector<int> released = TakeInput(input);
  // Every event is handled before the game hears of it: its close leaves by an exception.
  for (int vk : released) sink.OnKeyUp(vk);
  if (options_.onYield) options_.onYield(tick_, input);
  if (yield.close || input.close) sink.OnClose();
}

void SdlPlatform::Handle(const SDL_Event& event, YieldEvents& yield) {
  switch (event.type) {
    case SDL_QUIT:
      yield.close = true;
      break;
    case SDL_WINDOWEVENT:
      if (event.window.windowID == window_.Id()) HandleWindowEvent(event.window, yield);
      break;
    case SDL_KEYDOWN:
      // Game keys are the recording's while one plays, and none go down while paused.
      if (!HandleControlKey(event.key) && !Scripted() && !paused_ && event.key.repeat == 0) {
        keyboard_.Press(event.key.keysym.sym);
      }
      break;
    case SDL_KEYUP:
      if (event.key.keysym.scancode == SDL_SCANCODE_TAB && Scripted())
        clock_.SetSpeed(1, MonotonicNs());
      if (!Scripted()) keyboard_.Release(event.key.keysym.sym);
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

void SdlPlatform::HandleWindowEvent(const SDL_WindowEvent& event, YieldEvents& yield) {
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      yield.close = true;
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      // The window system's own sizing as the window first appears is not the player's.
      if (MonotonicNs() - startedAt_ > 1000000000) SettingsChanged();
      window_.Repaint();
      break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
      window_.Repaint();
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_HIDDEN:  // minimised, or the browser's tab put away
      // Key releases elsewhere never reach us: every key is up, and the game waits.
      keyboard_.ReleaseAll();
      if (!paused_) SetPaused(true, true);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (pausedByFocus_) SetPaused(false, false);
      break;
    default:
      break;
  }
}

bool SdlPlatform::HandleControlKey(const SDL_KeyboardEvent& key) {
  const SDL_Scancode code = key.keysym.scancode;
  const bool first = key.repeat == 0;
  const bool enter = code == SDL_SCANCODE_RETURN || code == SDL_SCANCODE_KP_ENTER;
  if (code == SDL_SCANCODE_F11 || (enter && (key.keysym.mod & KMOD_ALT) != 0)) {
    if (first) window_.ToggleFullscreen(), SettingsChanged();
  } else if (code == SDL_SCANCODE_F10) {
    if (first) window_.CycleScaling(), SettingsChanged();
  } else if (code == SDL_SCANCODE_F12) {
    if (first) SaveScreenshot();
  } else if (code == SDL_SCANCODE_P || code == SDL_SCANCODE_PAUSE) {
    if (first) SetPaused(!paused_, false);
  } else if (code == SDL_SCANCODE_TAB && Scripted()) {
    if (first) clock_.SetSpeed(kFastForward, MonotonicNs());
  } else {
    return false;
  }
  return true;
}

void SdlPlatform::SetPaused(bool paused, bool byFocus) {
  paused_ = paused;
  pausedByFocus_ = paused && byFocus;
  window_.SetPaused(paused);
}

void SdlPlatform::SaveScreenshot() {
  namespace fs = std::filesystem;
  const fs::path folder = PathOf(options_.screenshotFolder) / "Screenshots";
  std::error_code ec;
  fs::create_directories(folder, ec);
  // The local date and time, as "2026-12-09-231024".
  const std::tm local = LocalTimeNow();
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &local);
  // A second screenshot within the same second is numbered.
  const auto named = [&](int n) {
    std::string name = "vormelda-";
    name += stamp;
    if (n > 1) name += '-' + std::to_string(n);
    return folder / (name + ".png");
  };
  fs::path file = named(1);
  for (int n = 2; fs::exists(file, ec); ++n) file = named(n);
  const std::string name = Utf8Of(file);
  if (window_.SaveField(name)) {
    std::printf("vormelda: a screenshot is in %s\n", name.c_str());
    OfferToPlayer(name);
  } else {
    std::fprintf(stderr, "vormelda: cannot write the screenshot %s\n", name.c_str());
  }
  std::fflush(stdout);
}

MessageBoxAnswer SdlPlatform::MessageBoxRetryCancel(std::string_view text, std::string_view title) {
  MessageBoxAnswer answer = MessageBoxAnswer::Cancel;
  if (nextAnswer_ < options_.messageBoxAnswers.size()) {
    answer = options_.messageBoxAnswers[nextAnswer_++];
  } else {
    const DialogOpen open(0);  // as closing the window would
    if (AskRetry(std::string(text), std::string(title),
                 window_.Shown() ? window_.Handle() : nullptr)) {
      answer = MessageBoxAnswer::Retry;
    }
  }
  if (options_.onMessageBox) options_.onMessageBox(answer);
  return answer;
}

void SdlPlatform::ReportFatalError(std::string_view text, std::string_view title) {
  WriteToStderr(text);
  const DialogOpen open(1);  // the status of a fatal error
  ShowError(std::string(text), std::string(title), window_.Shown() ? window_.Handle() : nullptr);
}

}  // namespace
}  // namespace sdl

std::unique_ptr<Platform> MakeSdlPlatform(SdlOptions options) {
  return std::make_unique<sdl::SdlPlatform>(std::move(options));
}

void ShowSdlFatalError(std::string_view text, std::string_view title) {
  sdl::WriteToStderr(text);
  // Works without an initialised video system; fails quietly when no display can be reached.
  sdl::ShowError(std::string(text), std::string(title), nullptr);
}

}  // namespace vormelda
