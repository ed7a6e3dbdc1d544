// The two music tracks, composed for the sequencer: the stage theme (A minor, 128 beats a
// minute, 56 bars, 105 seconds) and the boss theme (D minor, 144 beats a minute, 40 bars, about
// 67 seconds). Both end on the dominant chord so the loop falls back onto their first bar. To
// lengthen a song, add sections to its section list; the helpers below write the parts.
#pragma once

#include <string_view>
#include <vector>

#include "sequencer.hpp"

namespace vormelda::datagen {

Song StageSong();
Song BossSong();

// A chord by name: root and quality, e.g. "Am", "F", "E7", "Bb", "C#dim".
struct Chord {
  int root = 57;  // MIDI number of the root in octave 3
  std::vector<int> intervals;
};
Chord ParseChord(std::string_view name);

// One chord per bar from `bar` on, written as space-separated names.
std::vector<Chord> ChordBars(std::string_view names);

// Parts that follow the chords, one bar per chord starting at `bar`.
void AddPadChords(Track& pad, int bar, const std::vector<Chord>& chords);
// Eighth notes on the root, jumping an octave on the given eighths (a bit mask of 8).
void AddRootBass(Track& bass, int bar, const std::vector<Chord>& chords, unsigned octaveMask);
// Sixteenth-note arpeggio of the chord tones, in the given octave, `order` indexing the tones.
void AddArpeggio(Track& arp, int bar, const std::vector<Chord>& chords, int octave,
                 const std::vector<int>& order);
// Throws std::logic_error unless a line ended exactly at bar `expected`.
void CheckLength(double endBar, int expected);

// The same drum bar repeated `bars` times.
void AddDrumBars(Track& track, int bar, int bars, std::string_view steps);

}  // namespace vormelda::datagen
