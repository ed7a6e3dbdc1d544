#include <stdexcept>
#include <string>

#include "music.hpp"

namespace vormelda::datagen {

Chord ParseChord(std::string_view name) {
  std::size_t i = 1;
  if (i < name.size() && (name[i] == '#' || name[i] == 'b')) ++i;
  const std::string root_name = std::string(name.substr(0, i)) + "3";
  const std::string_view quality = name.substr(i);
  Chord c;
  c.root = ParseNote(root_name);
  if (quality.empty()) {
    c.intervals = {0, 4, 7};
  } else if (quality == "m") {
    c.intervals = {0, 3, 7};
  } else if (quality == "7") {
    c.intervals = {0, 4, 7, 10};
  } else if (quality == "m7") {
    c.intervals = {0, 3, 7, 10};
  } else if (quality == "sus4") {
    c.intervals = {0, 5, 7};
  } else if (quality == "dim") {
    c.intervals = {0, 3, 6};
  } else {
    throw std::invalid_argument("bad chord " + std::string(name));
  }
  return c;
}

std::vector<Chord> ChordBars(std::string_view names) {
  std::vector<Chord> out;
  std::size_t pos = 0;
  while (pos < names.size()) {
    while (pos < names.size() && names[pos] == ' ') ++pos;
    if (pos >= names.size()) break;
    std::size_t end = names.find(' ', pos);
    if (end == std::string_view::npos) end = names.size();
    out.push_back(ParseChord(names.substr(pos, end - pos)));
    pos = end;
  }
  return out;
}

void AddPadChords(Track& pad, int bar, const std::vector<Chord>& chords) {
  for (std::size_t i = 0; i < chords.size(); ++i) {
    const Chord& c = chords[i];
    // Close voicing around middle C: roots above G3 drop an octave.
    const int base = c.root + 12 > 67 ? c.root : c.root + 12;
    for (int iv : c.intervals) {
      pad.notes.push_back({(bar + static_cast<double>(i)) * 4.0, 3.9, base + iv, 1.0});
    }
  }
}

void AddRootBass(Track& bass, int bar, const std::vector<Chord>& chords, unsigned octaveMask) {
  for (std::size_t i = 0; i < chords.size(); ++i) {
    const int root = chords[i].root - 12;  // octave 2
    for (int e = 0; e < 8; ++e) {
      const int midi = root + (((octaveMask >> e) & 1u) != 0 ? 12 : 0);
      const double beat = (bar + static_cast<double>(i)) * 4.0 + e * 0.5;
      bass.notes.push_back({beat, 0.42, midi, e % 2 == 0 ? 1.0 : 0.8});
    }
  }
}

void AddArpeggio(Track& arp, int bar, const std::vector<Chord>& chords, int octave,
                 const std::vector<int>& order) {
  for (std::size_t i = 0; i < chords.size(); ++i) {
    const Chord& c = chords[i];
    const int base = c.root + 12 * (octave - 3);
    const int tones = static_cast<int>(c.intervals.size());
    for (int s = 0; s < 16; ++s) {
      const int k = order[static_cast<std::size_t>(s) % order.size()];
      const int midi = base + c.intervals[static_cast<std::size_t>(k % tones)] + 12 * (k / tones);
      const double beat = (bar + static_cast<double>(i)) * 4.0 + s * 0.25;
      arp.notes.push_back({beat, 0.2, midi, s % 4 == 0 ? 1.0 : 0.7});
    }
  }
}

void CheckLength(double endBar, int expected) {
  if (endBar != expected) throw std::logic_error("a melody does not fill its section");
}

void AddDrumBars(Track& track, int bar, int bars, std::string_view steps) {
  for (int b = 0; b < bars; ++b) AddSteps(track, bar + b, steps);
}

}  // namespace vormelda::datagen
