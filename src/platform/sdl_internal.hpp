// The pieces of the SDL back end, shared by its source files only.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/game_input.hpp"
#include "platform/joyinfo.hpp"
#include "platform/keyboard.hpp"
#include "platform/limiter.hpp"
#include "platform/platform.hpp"
#include "platform/sdl_platform.hpp"
#include "platform/settings.hpp"

namespace vormelda::sdl {

// unique_ptr deleter calling an SDL release function.
template <auto Release>
struct Deleter {
  template <typename T>
  void operator()(T* p) const {
    if (p != nullptr) Release(p);
  }
};

using SurfacePtr = std::unique_ptr<SDL_Surface, Deleter<SDL_FreeSurface>>;
using WindowPtr = std::unique_ptr<SDL_Window, Deleter<SDL_DestroyWindow>>;
using RendererPtr = std::unique_ptr<SDL_Renderer, Deleter<SDL_DestroyRenderer>>;
using TexturePtr = std::unique_ptr<SDL_Texture, Deleter<SDL_DestroyTexture>>;
using ControllerPtr = std::unique_ptr<SDL_GameController, Deleter<SDL_GameControllerClose>>;
using JoystickPtr = std::unique_ptr<SDL_Joystick, Deleter<SDL_JoystickClose>>;
using ChunkPtr = std::unique_ptr<Mix_Chunk, Deleter<Mix_FreeChunk>>;
using MusicPtr = std::unique_ptr<Mix_Music, Deleter<Mix_FreeMusic>>;

// Ends SDL altogether once the last subsystem has been shut down, so that nothing of it is left
// behind at exit. Clips may outlive the back end, so whichever part goes last does this.
inline void QuitSdlWhenUnused() {
  if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
}

// One initialisation of SDL subsystems, undone when it goes.
class Subsystem {
 public:
  explicit Subsystem(Uint32 flags) : ok_(SDL_InitSubSystem(flags) == 0), flags_(flags) {}
  ~Subsystem() {
    if (ok_) SDL_QuitSubSystem(flags_);
    QuitSdlWhenUnused();
  }
  Subsystem(const Subsystem&) = delete;
  Subsystem& operator=(const Subsystem&) = delete;
  bool Ok() const { return ok_; }

 private:
  bool ok_;
  Uint32 flags_;
};

// The window with the play field scaled into it: by the largest whole number that fits, centred
// on black, or filling the window with its shape kept, sharp or smooth (F10 goes round them).
class Window {
 public:
  explicit Window(const SdlOptions& options);  // created hidden; throws on failure
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  SDL_Window* Handle() const { return window_.get(); }
  Uint32 Id() const { return SDL_GetWindowID(window_.get()); }

  void Show();
  bool Shown() const { return shown_; }
  void SetCaption(const std::string& utf8);
  void SetFieldVisible(bool visible);
  void Present(const Surface& field);
  void Repaint();  // shows the last frame again, at the window's present size
  void ToggleFullscreen();
  void CycleScaling();
  // The window's part of the settings as the player has left it: its scaling, full screen, size.
  Settings::Window Current() const;
  // Paused, the field is shown dimmed under the word PAUSED.
  void SetPaused(bool paused);
  void OnDeviceReset();  // textures are gone
  // The field as last shown, 420 x 560 (black while hidden), as a PNG; false on failure.
  bool SaveField(const std::string& path) const;
  // Where the field lies in the window's pixels.
  SDL_Rect FieldRect() const;

 private:
  void EnsureTexture(int width, int height);
  void DrawPausedWord(const SDL_Rect& field);
  Scaling ScalingNow() const;
  // Copies the field to the window's rectangle as the scaling says.
  void CopyField(const SDL_Rect& field);

  WindowPtr window_;
  RendererPtr renderer_;
  TexturePtr texture_;
  TexturePtr enlarged_;  // the field enlarged by a whole number, for sharp fill
  int textureWidth_ = 0;
  int textureHeight_ = 0;
  const Surface* lastField_ = nullptr;  // the play field's image, which outlives the window
  bool fieldVisible_ = true;
  bool shown_ = false;
  std::optional<Scaling> scaling_;  // none: by the window's shape
  bool fullscreen_ = false;
  int width_ = 0, height_ = 0;  // the window's size as the player set it; 0 while untouched
  bool paused_ = false;
  // Full screen where no window manager runs: the window itself covers the display, and goes
  // back to this place and size.
  bool covering_ = false;
  SDL_Rect windowed_{};
};

// Whether a window manager looks after the window (always, but on a bare X server).
bool WindowManaged(SDL_Window* window);
// From now on, an X error about the window (destroyed from outside) marks it destroyed instead of
// ending the program; WindowDestroyed tells. Elsewhere nothing to watch.
void WatchForDestroyedWindow(SDL_Window* window);
bool WindowDestroyed();
// After the window is destroyed: what that brings back from the window system is dealt with.
void WindowGone();

// The keys of the keyboard (SDL's key codes) bound to each game key, in a fixed order of game keys
// (so that a recording names them alike whatever keys played it).
std::vector<KeyBinding> GameKeyBindings(const Settings& settings);

// Game controllers and joysticks, opened and closed as they come and go.
class Controllers {
 public:
  // The gamepad's buttons for fire, bomb and start; a file of layouts for pads SDL does not know
  // (gamecontrollerdb.txt), when it is there.
  Controllers(const std::array<std::string, 3>& buttons, const std::string& layouts);
  ~Controllers();
  Controllers(const Controllers&) = delete;
  Controllers& operator=(const Controllers&) = delete;

  void OnDeviceAdded(int deviceIndex);
  void OnDeviceRemoved(SDL_JoystickID instance);
  bool Attached() const { return !devices_.empty(); }
  // The first one's state, as a script line would hold it; nullopt while none is plugged in.
  std::optional<JoystickReading> Reading() const;
  // Position 0..65535 (centre 32767) and buttons 1 (fire), 2 (bomb), 4 (start) of the first one.
  bool Read(JOYINFOEX& info) const;

 private:
  struct Device {
    SDL_JoystickID instance;
    ControllerPtr controller;  // set when SDL knows the layout
    JoystickPtr joystick;      // otherwise
  };
  Subsystem subsystem_;
  std::array<SDL_GameControllerButton, 3> buttons_{};  // fire, bomb, start
  std::vector<Device> devices_;
};

// The mixer device, shared by the back end and every clip it opened so that clips may outlive the
// platform object safely.
class Mixer {
 public:
  // Null when there is no audio device (said once on stderr). Volumes are 0 to 100, applied before
  // the limiter.
  static std::shared_ptr<Mixer> Open(int musicVolume, int effectsVolume);
  ~Mixer();
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  int AcquireChannel();
  void ReleaseChannel(int channel);
  const void* musicOwner = nullptr;  // the clip whose piece is loaded into the music stream
  int effectsLevel = 0;              // every effect channel's volume

 private:
  Mixer();
  int allocated_ = 0;
  int next_ = 1;  // channel 0 is the shot sound's
  std::vector<int> free_;
  std::unique_ptr<Subsystem> subsystem_;
  Limiter limiter_;  // on the audio thread
};

inline constexpr int kShotChannel = 0;

// A signal to end the program (SIGTERM, SIGINT) reaches SDL, which turns it into a quit event the
// next yield reads; while a dialog is open it ends the program at once instead (sdl_signals.cpp).
class EndSignals {
 public:
  EndSignals();
  ~EndSignals();
  EndSignals(const EndSignals&) = delete;
  EndSignals& operator=(const EndSignals&) = delete;
};

// While it lives, a dialog is open: an end signal ends the program with this status, and takes
// the child process SDL shows the dialog from with it.
class DialogOpen {
 public:
  explicit DialogOpen(int exitStatus);
  ~DialogOpen();
  DialogOpen(const DialogOpen&) = delete;
  DialogOpen& operator=(const DialogOpen&) = delete;
};

// The system's dialogs, over the window when one is given. AskRetry is true when the player chose
// Retry; Cancel, Escape, or a dialog that cannot be shown, is false (sdl_dialogs.cpp, and
// sdl_dialogs_web.cpp for the browser's own).
bool AskRetry(const std::string& text, const std::string& title, SDL_Window* parent);
void ShowError(const std::string& text, const std::string& title, SDL_Window* parent);

// The sound side of the back end.
class Audio {
 public:
  // Muted, no device is opened and nothing sounds; else at these volumes, 0 to 100.
  Audio(bool mute, int musicVolume, int effectsVolume);
  ~Audio();
  Audio(const Audio&) = delete;
  Audio& operator=(const Audio&) = delete;

  std::unique_ptr<AudioClip> OpenClip(std::vector<uint8_t> file, bool music);
  void PlayFromMemory(const std::vector<uint8_t>& wav);

 private:
  std::shared_ptr<Mixer> mixer_;
  std::vector<uint8_t> shotBytes_;
  bool haveShot_ = false;
  ChunkPtr shot_;  // decoded from shotBytes_
};

}  // namespace vormelda::sdl
