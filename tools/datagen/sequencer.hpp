// A small music sequencer: tracks of notes played by a handful of synthesised instruments,
// mixed to stereo with a shared echo. A song is a whole number of bars of 4 beats; whatever
// rings on past its end is folded back onto its start, so the song loops without a gap.
#pragma once

#include <string_view>
#include <vector>

#include "synth.hpp"

namespace vormelda::datagen {

enum class Voice { kLead, kBass, kPad, kArp, kBell, kKick, kSnare, kHat, kOpenHat, kCrash, kTom };

struct Note {
  double beat = 0;    // start, in beats from the song's start
  double length = 1;  // in beats
  int midi = 60;
  double velocity = 1;
};

struct Track {
  Voice voice = Voice::kLead;
  double gain = 1;
  double pan = 0;   // -1 left .. 1 right
  double echo = 0;  // send to the echo
  std::vector<Note> notes;
};

struct Song {
  double bpm = 120;
  int bars = 8;
  std::vector<Track> tracks;
};

struct Stereo {
  Samples left, right;
};

// MIDI number of a note name such as "A4", "C#5" or "Bb3".
int ParseNote(std::string_view name);

// Adds a line written as space-separated "NOTE:SIXTEENTHS" items ("E5:4 A5:2 r:2"; r is a
// rest) starting at the given bar (0-based). Returns the bar after the line ends.
double AddLine(Track& track, double bar, std::string_view text, double velocity = 1.0);

// Adds one bar of a step pattern, one character per sixteenth: 'x' a hit, 'o' a soft hit,
// anything else a rest.
void AddSteps(Track& track, int bar, std::string_view steps, int midi = 60);

// Renders the song into exactly bars * 4 beats of stereo sound, peaks at `peak`.
Stereo RenderSong(const Song& song, double peak);

// One note of a voice, as mono samples from its start (instruments.cpp).
Samples RenderNote(Voice voice, const Note& note, double secondsPerBeat, std::uint64_t seed);

}  // namespace vormelda::datagen
