#include "window/frame.hpp"

#include <cmath>

#include "platform/winapi.hpp"
#include "records/game_state.hpp"
#include "window/form_main.hpp"

namespace vormelda {

void DoEvents() {
  Host().PumpEvents(frmMain);
}

void FrameWait(uint32_t t0, double rate) {
  // The clock is compared as a signed 32-bit count.
  const auto start = static_cast<int32_t>(t0);
  const double deadline = static_cast<double>(start) + 1000.0 / rate;
  // The first reading strictly past the deadline: the back end sleeps until the clock shows it,
  // and the readings below then end the frame as the rule says.
  const auto end = static_cast<uint32_t>(static_cast<int64_t>(std::floor(deadline)) + 1);
  for (;;) {
    const auto now = static_cast<int32_t>(timeGetTime());
    if (deadline < static_cast<double>(now)) return;
    const auto again = static_cast<int32_t>(timeGetTime());
    if (again < start) return;
    Host().SleepUntil(end);
  }
}

void DrawOpaque(const PictureBox& source, Point at) {
  BitBlt(Field(), At(at, kFieldWidth, kFieldHeight), source.Image, {0, 0}, SRCCOPY);
}

void PlayEffect(MciControl& control) {
  control.Command("Prev");
  control.Command("Play");
}

void StopEffect(MciControl& control) {
  control.Command("Stop");
}

void KeepMusicLooping(MciControl& music) {
  int16_t first = music.Mode();
  int16_t second = music.Mode();
  if (first != kModeNotOpen && second == kModeStopped) PlayEffect(music);
}

void StopMusic(MciControl& music) {
  if (music.Mode() != kModeNotOpen) {
    music.Command("Stop");
    music.Command("Close");
  }
}

void PlayShotSound() {
  sndPlaySoundA(ShotSound, SND_MEMORY | SND_ASYNC);
}

}  // namespace vormelda
