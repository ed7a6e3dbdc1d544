// What every scene's frame loop shares: the yield, the frame wait, masked and opaque drawing into
// the play field, and the sound commands.
#pragma once

#include <cstdint>

#include "platform/mci_control.hpp"
#include "platform/picture_box.hpp"
#include "shell/form_main.hpp"

namespace vormelda {

// Lets the window system deliver every pending event (Enter released, the window closed).
void DoEvents();

// Ends at the first clock reading strictly greater than t0 + 1000 / rate, or at once when the
// clock reads below t0 (it wrapped around). Sleeps while more than 2 ms remain.
void FrameWait(uint32_t t0, double rate);

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
