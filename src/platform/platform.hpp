// The one interface between the game and the machine. Two back ends implement it: the SDL one for
// play and the headless one for tests and the runner. Game code reaches it through Host() and the
// system-call wrappers of winapi.hpp; nothing outside src/platform includes SDL.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/game_input.hpp"
#include "platform/input_script.hpp"
#include "platform/joyinfo.hpp"
#include "platform/surface.hpp"

namespace vormelda {

class MciControl;

// What the window system delivers during a yield.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void OnKeyUp(int virtualKey) = 0;
  // The user closed the window. The receiver ends the program and does not return.
  virtual void OnClose() = 0;
};

// One opened sound file. Playback positions are the back end's business; the multimedia control
// on top of it (mci_control.hpp) turns commands into these calls.
class AudioClip {
 public:
  virtual ~AudioClip() = default;
  virtual void Play() = 0;    // from the current position
  virtual void Stop() = 0;    // pause where it is
  virtual void Rewind() = 0;  // back to the start, not playing
  virtual bool Playing() = 0;
};

enum class MessageBoxAnswer { Retry = 4, Cancel = 2 };

class Platform {
 public:
  virtual ~Platform() = default;

  // Window.
  virtual void ShowWindow() = 0;
  virtual void SetCaption(std::string_view utf8) = 0;
  virtual void SetFieldVisible(bool visible) = 0;
  // The picture a frame is drawn into: the play field's own image, or, for a back end made to
  // show nothing, an empty picture on which every drawing does nothing. Asked for at every sprite,
  // so it is answered inline.
  Surface& Canvas(Surface& field) { return blind_ ? nothing_ : field; }
  virtual void Present(const Surface& field) = 0;   // the refresh of the play field
  virtual void PumpEvents(WindowEvents& sink) = 0;  // the yield: all pending events

  // Keyboard (virtual key codes of keys.hpp) and joystick 0, as every back end's game reads them:
  // from the input record of the tick, which the back end hands over at each yield (TakeInput).
  // A key is non-zero while down (bit 0x8000) or when pressed at some moment since the last query
  // of that key (bit 1). The joystick fills the position and buttons of info: 0 on success,
  // non-zero without one.
  int16_t GetAsyncKeyState(int virtualKey) { return input_.GetAsyncKeyState(virtualKey); }
  uint32_t JoyGetPosEx(uint32_t id, JOYINFOEX& info) {
    return id == JOYSTICKID1 && input_.ReadJoystick(info) ? JOYERR_NOERROR : JOYERR_UNPLUGGED;
  }
  uint32_t JoySetCapture(uint32_t id, uint32_t /*periodMs*/, bool /*changed*/) {
    return id == JOYSTICKID1 && input_.JoystickAttached() ? JOYERR_NOERROR : JOYERR_UNPLUGGED;
  }
  uint32_t JoyReleaseCapture(uint32_t /*id*/) { return JOYERR_NOERROR; }

  // The millisecond clock, and a sleep until it reads `reading` (at once when it already does, or
  // when that lies more than a second ahead). The headless back end does not sleep: its clock
  // moves only as it is read.
  virtual uint32_t TimeGetTime() = 0;
  virtual void SleepUntil(uint32_t reading) = 0;

  // Dialogs.
  virtual MessageBoxAnswer MessageBoxRetryCancel(std::string_view text, std::string_view title) = 0;
  // Shown; then the program exits 1.
  virtual void ReportFatalError(std::string_view text, std::string_view title) = 0;

  // Sound. OpenClip takes a sound file's bytes and returns null when they are not a sound it can
  // play, or there is no audio device. music selects the music stream (MP3) instead of an effect
  // channel.
  virtual std::unique_ptr<AudioClip> OpenClip(std::vector<uint8_t> file, bool music) = 0;
  // Plays a WAV image held in memory at once, cutting off the one still playing.
  virtual void PlaySoundFromMemory(const std::vector<uint8_t>& wav) = 0;
  // Every command and file name sent to a sound holder passes here; by default it is carried out.
  virtual void SoundCommand(MciControl& control, std::string_view command);

 protected:
  Platform() = default;
  // For a back end that shows nothing: the game draws nothing at all.
  explicit Platform(bool blind) : blind_(blind) {}
  // Makes line the input of this tick; returns the keys it released, for the window's key-up
  // event, which the back end delivers.
  std::vector<int> TakeInput(const InputLine& line) { return input_.Apply(line); }

 private:
  GameInput input_;
  bool blind_ = false;
  Surface nothing_;
};

namespace detail {
inline Platform* gHost = nullptr;
[[noreturn]] void NoHost();
}  // namespace detail

// The back end in use. Set by the program entry before Main runs.
inline Platform& Host() {
  if (detail::gHost == nullptr) [[unlikely]]
    detail::NoHost();
  return *detail::gHost;
}
inline void SetHost(Platform* platform) {
  detail::gHost = platform;
}

// The size a picture must have: at most width x height, or exactly that.
struct PictureRule {
  int width = 0;
  int height = 0;
  bool exact = false;
};

// Loads any picture format the image library reads, recognised by content. Refuses, with the
// reason in error, a file that is not a regular file or is larger than 64 MiB, and a picture of
// a size the rule does not allow: before decoding a pixel when its header tells the size.
bool LoadPictureFile(const std::string& path, const PictureRule& rule, Surface& out,
                     std::string& error);

// Pictures loaded by LoadPictureFile on worker threads (as many as the machine has cores, at most
// four), all started at once and taken in the order they were asked for. Going away, it stops the
// loads not yet begun and waits for those under way.
class PictureLoads {
 public:
  struct Request {
    std::string path;
    PictureRule rule;
  };
  explicit PictureLoads(std::vector<Request> requests);
  ~PictureLoads();
  PictureLoads(const PictureLoads&) = delete;
  PictureLoads& operator=(const PictureLoads&) = delete;
  // Waits for the i-th picture; as LoadPictureFile.
  bool Take(size_t i, Surface& out, std::string& error);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Writes a picture as PNG; false on failure.
bool SavePng(const Surface& picture, const std::string& path);

}  // namespace vormelda
