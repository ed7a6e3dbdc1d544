// What every scene's frame loop shares: the yield, the frame wait and the frame around them, the
// play field to draw into with its backgrounds, and the sound commands.
#pragma once

#include <cstdint>

#include "platform/mci_control.hpp"
#include "platform/picture_box.hpp"
#include "platform/winapi.hpp"
#include "window/form_main.hpp"

namespace vormelda {

// Lets the window system deliver every pending event (Enter released, the window closed).
void DoEvents();

// Ends at the first clock reading strictly greater than t0 + 1000 / rate, or at once when the
// clock reads below t0 (it wrapped around). Sleeps until that reading instead of spinning.
void FrameWait(uint32_t t0, double rate);

// Whether a frame lets the window deliver its events after reading its start time, as every scene
// does, or before, as the title screen does.
enum class EventsAt { AfterStart, BeforeStart };

// The frame every scene runs: its start time t0 is read and the window delivers its events, the
// scene's own steps run (drawing the field and refreshing it), and the frame waits until its
// period at `rate` frames a second has passed since t0.
template <typename Steps>
void PacedFrame(double rate, Steps&& steps, EventsAt events = EventsAt::AfterStart) {
  if (events == EventsAt::BeforeStart) DoEvents();
  const uint32_t t0 = timeGetTime();
  if (events == EventsAt::AfterStart) DoEvents();
  steps();
  FrameWait(t0, rate);
}

// The play field's image as the back end lets the game draw into it.
inline Surface& Field() {
  return Host().Canvas(frmMain.picMain.Image);
}

// A field-sized picture (a background) copied opaquely into the play field at `at`.
void DrawOpaque(const PictureBox& source, Point at);

void PlayEffect(MciControl& control);  // "Prev", "Play": restarts a playing effect
void StopEffect(MciControl& control);
// Restarts the music when it has stopped at its end.
void KeepMusicLooping(MciControl& music);
void StopMusic(MciControl& music);
void PlayShotSound();

}  // namespace vormelda
