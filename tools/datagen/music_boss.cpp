// The boss theme: D minor with the raised seventh, 144 beats a minute, five sections of eight
// bars (about 67 seconds).
//   A  riff: driving bass and a fast arpeggio, lead stabs   Dm Dm Bb C Dm Dm Bb A
//   B  the theme on the lead                                Dm Bb Gm A Dm Bb Gm A
//   C  breakdown: half-time beat, toms, a slow rising line  Gm Gm Dm Dm Eb Eb A A
//   D  the theme varied, climbing higher                    Dm Bb Gm A Dm Bb Gm A
//   E  a high counter-line over a climb to the dominant     Bb C Dm Dm Bb C A A7
// A7 at the very end leads back into the Dm of the first bar when the music loops.
#include "music.hpp"

namespace vormelda::datagen {

namespace {

enum class Groove { kFull, kHalfTime };

struct Section {
  const char* chords;
  const char* lead;
  Groove groove;
};

constexpr const char* kRiff =
    "r:16  r:16  r:16  r:16 "
    "D5:2 r:2 D5:2 r:2 F5:2 r:2 E5:2 D5:2  D5:2 r:2 D5:2 r:2 A5:2 r:2 G5:2 F5:2 "
    "F5:2 r:2 F5:2 r:2 D5:2 r:2 F5:2 G5:2  A5:4 r:4 C#5:2 E5:2 A5:4";
constexpr const char* kTheme =
    "D5:2 F5:2 A5:4 G5:2 F5:2 E5:4  F5:4 D5:4 Bb4:6 C5:2  D5:4 G5:4 Bb5:4 A5:2 G5:2 "
    "A5:6 G5:2 F5:2 E5:2 C#5:4  D6:4 C6:2 A5:2 F5:4 A5:4  Bb5:4 A5:2 F5:2 D5:8 "
    "G5:2 A5:2 Bb5:4 D6:4 C#6:4  E6:8 C#6:4 A5:4";
constexpr const char* kSlowLine =
    "G5:8 Bb5:8  A5:8 G5:8  F5:8 A5:8  D6:16  Eb6:8 D6:4 Bb5:4  G5:8 Bb5:8 "
    "A5:4 C#6:4 E6:4 G6:4  A6:12 r:4";
constexpr const char* kThemeVaried =
    "D6:2 A5:2 F5:2 A5:2 D6:2 E6:2 F6:4  F6:2 D6:2 Bb5:4 D6:2 C6:2 Bb5:4 "
    "G5:2 Bb5:2 D6:4 G6:4 F6:2 E6:2  E6:6 C#6:2 A5:4 E5:4  F5:2 A5:2 D6:2 F6:2 A6:4 F6:4 "
    "D6:4 F6:2 D6:2 Bb5:8  Bb5:2 A5:2 G5:2 Bb5:2 D6:4 C#6:4  E6:4 G6:4 C#6:4 A5:4";
constexpr const char* kCounter =
    "F6:4 D6:4 Bb5:8  G6:4 E6:4 C6:8  A6:4 F6:4 D6:4 F6:4  A6:8 G6:4 F6:4 "
    "F6:2 G6:2 F6:2 D6:2 Bb5:8  E6:2 F6:2 E6:2 C6:2 G5:8  C#6:4 E6:4 A6:8 "
    "G6:4 E6:4 C#6:4 A5:4";

const Section kSections[] = {
    {"Dm Dm Bb C Dm Dm Bb A", kRiff, Groove::kFull},
    {"Dm Bb Gm A Dm Bb Gm A", kTheme, Groove::kFull},
    {"Gm Gm Dm Dm Eb Eb A A", kSlowLine, Groove::kHalfTime},
    {"Dm Bb Gm A Dm Bb Gm A", kThemeVaried, Groove::kFull},
    {"Bb C Dm Dm Bb C A A7", kCounter, Groove::kFull},
};

}  // namespace

Song BossSong() {
  Song song;
  song.bpm = 144;
  Track lead{Voice::kLead, 1.0, -0.1, 0.3, {}};
  Track pad{Voice::kPad, 0.9, 0.0, 0.15, {}};
  Track bass{Voice::kBass, 1.1, 0.0, 0.0, {}};
  Track arp{Voice::kArp, 0.75, 0.35, 0.25, {}};
  Track bell{Voice::kBell, 0.6, -0.4, 0.35, {}};
  Track kick{Voice::kKick, 1.0, 0.0, 0.0, {}};
  Track snare{Voice::kSnare, 0.95, 0.05, 0.1, {}};
  Track hat{Voice::kHat, 0.8, 0.3, 0.0, {}};
  Track crash{Voice::kCrash, 0.8, -0.2, 0.0, {}};
  Track tom{Voice::kTom, 0.8, -0.3, 0.0, {}};
  int bar = 0;
  for (const Section& s : kSections) {
    const auto chords = ChordBars(s.chords);
    const int bars = static_cast<int>(chords.size());
    AddPadChords(pad, bar, chords);
    CheckLength(AddLine(lead, bar, s.lead), bar + bars);
    AddSteps(crash, bar, "x");
    if (s.groove == Groove::kHalfTime) {
      // Half time: a pulsing low bass, the arpeggio an octave down, a bell on every bar and
      // toms answering the kick.
      AddRootBass(bass, bar, chords, 0b00000000u);
      AddArpeggio(arp, bar, chords, 4, {0, 2, 1, 2});
      for (int b = 0; b < bars; ++b) {
        bell.notes.push_back(
            {(bar + b) * 4.0, 2.0, chords[static_cast<std::size_t>(b)].root + 24, 0.9});
      }
      AddDrumBars(kick, bar, bars - 1, "x.........x.....");
      AddDrumBars(snare, bar, bars - 1, "........x.......");
      AddDrumBars(hat, bar, bars, "x.o.x.o.x.o.x.o.");
      for (int b = 0; b < bars - 1; b += 2) {
        tom.notes.push_back({(bar + b) * 4.0 + 3.0, 0.5, 47, 0.8});
        tom.notes.push_back({(bar + b) * 4.0 + 3.5, 0.5, 45, 0.9});
      }
    } else {
      AddRootBass(bass, bar, chords, 0b10101010u);
      AddArpeggio(arp, bar, chords, 5, {0, 1, 2, 1, 3, 1, 2, 1});
      // A warning bell on every second bar.
      for (int b = 0; b < bars; b += 2) {
        bell.notes.push_back(
            {(bar + b) * 4.0, 1.0, chords[static_cast<std::size_t>(b)].root + 36, 1.0});
      }
      AddDrumBars(kick, bar, bars - 1, "x..x..x...x..x..");
      AddDrumBars(snare, bar, bars - 1, "....x.......x...");
      AddDrumBars(hat, bar, bars, "xoxoxoxoxoxoxoxo");
    }
    AddSteps(kick, bar + bars - 1, "x...x...x...x...");
    AddSteps(snare, bar + bars - 1, "x...x...xoxoxxxx");
    for (int i = 0; i < 4; ++i) {
      tom.notes.push_back({(bar + bars - 1) * 4.0 + 2.0 + i * 0.5, 0.5, 50 - 3 * i, 1.0});
    }
    bar += bars;
  }
  song.bars = bar;
  song.tracks = {lead, pad, bass, arp, bell, kick, snare, hat, crash, tom};
  return song;
}

}  // namespace vormelda::datagen
