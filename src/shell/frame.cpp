#include "shell/frame.hpp"

#include "platform/winapi.hpp"
#include "shell/form_main.hpp"
#include "shell/game_state.hpp"

namespace vormelda {

void DoEvents() {
  Host().PumpEvents(frmMain);
}

void FrameWait(uint32_t t0, double rate) {
  // The clock is compared as a signed 32-bit count.
  const auto start = static_cast<int32_t>(t0);
  for (;;) {
    double deadline = static_cast<double>(start) + 1000.0 / rate;
    auto now = static_cast<int32_t>(timeGetTime());
    if (deadline < static_cast<double>(now)) return;
    auto again = static_cast<int32_t>(timeGetTime());
    if (again < start) return;
    double left = deadline - static_cast<double>(again);
    if (left > 2.0) Host().Sleep(static_cast<uint32_t>(left - 2.0));
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
