// The stage theme: A minor, 128 beats a minute, seven sections of eight bars (105 seconds).
//   A  groove: arpeggio, bass, pad and a bell line          Am F C G Am F G E
//   B  the theme on the lead                                Am F C G Am F G E
//   C  the bridge, climbing through the relative keys       Dm Am Bb F Dm Am E E
//   D  breakdown: held bass, a slow bell, the beat returns  Dm Em F G Dm Em F E
//   E  the theme varied, an octave brighter                 Am F C G Am F G E
//   F  a lift into the relative major, new lead line        F G C Am F G Am E
//   G  the theme again, turning to the dominant at its end  Am F C G F G E E7
// E7 at the very end leads back into the Am of the first bar when the music loops.
#include "music.hpp"

namespace vormelda::datagen {

namespace {

enum class Groove { kFull, kBreakdown };

struct Section {
  const char* chords;
  const char* lead;  // nullptr: no lead
  const char* bell;  // nullptr: no bell
  bool highArp;
  Groove groove;
};

constexpr const char* kTheme1 =
    "E5:4 A5:2 B5:2 C6:4 B5:2 A5:2  A5:6 G5:2 F5:4 E5:4  G5:4 E5:2 G5:2 C6:4 D6:2 E6:2 "
    "D6:6 B5:2 G5:8  E5:4 A5:2 B5:2 C6:4 B5:2 A5:2  A5:4 C6:4 F6:4 E6:2 D6:2 "
    "D6:4 B5:4 G5:2 A5:2 B5:4  G#5:8 E5:4 r:4";
constexpr const char* kTheme1Varied =
    "A5:2 C6:2 E6:4 D6:2 C6:2 B5:2 C6:2  A5:4 F5:2 A5:2 C6:4 A5:4 "
    "G5:2 C6:2 E6:4 G6:4 E6:2 D6:2  D6:4 B5:2 D6:2 G6:8  E6:2 D6:2 C6:2 B5:2 A5:4 E6:4 "
    "F6:4 E6:2 D6:2 C6:4 A5:4  B5:2 C6:2 D6:4 G6:4 F6:2 D6:2  E6:4 D6:2 B5:2 G#5:4 E5:4";
constexpr const char* kTheme2 =
    "F5:4 A5:4 D6:6 C6:2  C6:4 B5:2 A5:2 E5:8  D5:4 F5:4 Bb5:6 A5:2  A5:4 G5:2 F5:2 C5:8 "
    "F5:2 G5:2 A5:4 D6:4 F6:4  E6:6 D6:2 C6:4 A5:4  B5:4 G#5:4 E5:4 G#5:4  B5:12 r:4";
constexpr const char* kBreakdownBell =
    "A5:8 F5:8  G5:8 E5:8  A5:4 C6:4 F6:8  D6:12 B5:4 "
    "A5:8 D6:8  B5:8 G5:8  A5:4 C6:4 A5:4 F5:4  G#5:8 B5:8";
constexpr const char* kLift =
    "C6:4 A5:4 F5:4 A5:4  B5:4 D6:4 G6:8  E6:6 D6:2 C6:4 G5:4  A5:8 E5:8 "
    "F5:2 G5:2 A5:4 C6:4 F6:4  G6:4 F6:2 E6:2 D6:8  C6:4 B5:2 A5:2 E6:8  G#5:4 B5:4 E6:4 B5:4";
constexpr const char* kTheme1Ending =
    "E5:4 A5:2 B5:2 C6:4 B5:2 A5:2  A5:6 G5:2 F5:4 E5:4  G5:4 E5:2 G5:2 C6:4 D6:2 E6:2 "
    "D6:6 B5:2 G5:8  A5:4 C6:4 F6:4 E6:2 D6:2  D6:4 B5:4 G5:4 B5:4  G#5:4 B5:4 E6:8 "
    "D6:4 B5:4 G#5:4 E5:4";
constexpr const char* kBell =
    "E5:6 A5:2 C6:8  C6:6 A5:2 F5:8  G5:6 C6:2 E6:8  D6:6 B5:2 G5:8  E5:6 A5:2 C6:8 "
    "F5:4 A5:4 C6:4 F6:4  D6:6 B5:2 G5:8  G#5:4 B5:4 E6:8";

const Section kSections[] = {
    {"Am F C G Am F G E", nullptr, kBell, false, Groove::kFull},
    {"Am F C G Am F G E", kTheme1, nullptr, false, Groove::kFull},
    {"Dm Am Bb F Dm Am E E", kTheme2, nullptr, true, Groove::kFull},
    {"Dm Em F G Dm Em F E", nullptr, kBreakdownBell, false, Groove::kBreakdown},
    {"Am F C G Am F G E", kTheme1Varied, nullptr, true, Groove::kFull},
    {"F G C Am F G Am E", kLift, kBell, false, Groove::kFull},
    {"Am F C G F G E E7", kTheme1Ending, nullptr, true, Groove::kFull},
};

}  // namespace

Song StageSong() {
  Song song;
  song.bpm = 128;
  Track lead{Voice::kLead, 1.0, 0.1, 0.35, {}};
  Track bell{Voice::kBell, 0.9, -0.3, 0.4, {}};
  Track pad{Voice::kPad, 1.0, 0.0, 0.2, {}};
  Track bass{Voice::kBass, 1.0, 0.0, 0.0, {}};
  Track arp{Voice::kArp, 0.8, -0.35, 0.3, {}};
  Track arpHigh{Voice::kArp, 0.45, 0.45, 0.4, {}};
  Track kick{Voice::kKick, 1.0, 0.0, 0.0, {}};
  Track snare{Voice::kSnare, 0.9, 0.05, 0.1, {}};
  Track hat{Voice::kHat, 0.8, 0.25, 0.0, {}};
  Track openHat{Voice::kOpenHat, 0.7, 0.25, 0.0, {}};
  Track crash{Voice::kCrash, 0.8, -0.2, 0.0, {}};
  int bar = 0;
  for (const Section& s : kSections) {
    const auto chords = ChordBars(s.chords);
    const int bars = static_cast<int>(chords.size());
    AddPadChords(pad, bar, chords);
    if (s.lead != nullptr) CheckLength(AddLine(lead, bar, s.lead), bar + bars);
    if (s.bell != nullptr) CheckLength(AddLine(bell, bar, s.bell), bar + bars);
    AddSteps(crash, bar, "x");
    if (s.groove == Groove::kBreakdown) {
      // Held roots and a thin beat for the first half; the arpeggio and the kick come back for
      // the second half, and a snare roll builds into the next section.
      const int half = bars / 2;
      for (int b = 0; b < bars; ++b) {
        const int root = chords[static_cast<std::size_t>(b)].root - 12;
        bass.notes.push_back({(bar + b) * 4.0, 1.9, root, 0.9});
        bass.notes.push_back({(bar + b) * 4.0 + 2.5, 1.4, root + 12, 0.7});
      }
      const std::vector<Chord> second(chords.begin() + half, chords.end());
      AddArpeggio(arp, bar + half, second, 4, {0, 2, 1, 3});
      AddDrumBars(hat, bar, half, "x...o...x...o...");
      AddDrumBars(snare, bar, half, "............x...");
      AddDrumBars(kick, bar + half, bars - half - 1, "x.......x.......");
      AddDrumBars(hat, bar + half, bars - half, "x.o.x.o.x.o.x.o.");
      AddSteps(kick, bar + bars - 1, "x...x...x...x...");
      AddSteps(snare, bar + bars - 1, "x.x.x.x.xoxoxxxx");
    } else {
      AddRootBass(bass, bar, chords, 0b01000100u);
      AddArpeggio(arp, bar, chords, 4, {0, 1, 2, 3, 2, 1, 0, 1});
      if (s.highArp) AddArpeggio(arpHigh, bar, chords, 5, {3, 2, 1, 0});
      AddDrumBars(kick, bar, bars - 1, "x...x...x...x...");
      AddDrumBars(snare, bar, bars - 1, "....x.......x...");
      AddDrumBars(hat, bar, bars, "xoxoxoxoxoxoxo..");
      AddDrumBars(openHat, bar, bars - 1, "..............x.");
      // A fill in the last bar of the section.
      AddSteps(kick, bar + bars - 1, "x...x...x.....x.");
      AddSteps(snare, bar + bars - 1, "....x...x.xxoxxx");
    }
    bar += bars;
  }
  song.bars = bar;
  song.tracks = {lead, bell, pad, bass, arp, arpHigh, kick, snare, hat, openHat, crash};
  return song;
}

}  // namespace vormelda::datagen
