#include "sequencer.hpp"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>

namespace vormelda::datagen {

int ParseNote(std::string_view name) {
  static constexpr int kSemis[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') {
    throw std::invalid_argument("bad note " + std::string(name));
  }
  int semi = kSemis[name[0] - 'A'];
  std::size_t i = 1;
  if (name[i] == '#') {
    ++semi;
    ++i;
  } else if (name[i] == 'b') {
    --semi;
    ++i;
  }
  const int octave = std::stoi(std::string(name.substr(i)));
  return 12 * (octave + 1) + semi;
}

double AddLine(Track& track, double bar, std::string_view text, double velocity) {
  double beat = bar * 4.0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos >= text.size()) break;
    std::size_t end = text.find(' ', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view item = text.substr(pos, end - pos);
    const std::size_t colon = item.find(':');
    if (colon == std::string_view::npos)
      throw std::invalid_argument("bad item " + std::string(item));
    const double len = std::stoi(std::string(item.substr(colon + 1))) / 4.0;
    const std::string_view pitch = item.substr(0, colon);
    if (pitch != "r") track.notes.push_back({beat, len, ParseNote(pitch), velocity});
    beat += len;
    pos = end;
  }
  return beat / 4.0;
}

void AddSteps(Track& track, int bar, std::string_view steps, int midi) {
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const double beat = bar * 4.0 + static_cast<double>(i) / 4.0;
    if (steps[i] == 'x') track.notes.push_back({beat, 0.25, midi, 1.0});
    if (steps[i] == 'o') track.notes.push_back({beat, 0.25, midi, 0.55});
  }
}

Stereo RenderSong(const Song& song, double peak) {
  const double spb = 60.0 / song.bpm;
  const int length = SecondsToSamples(song.bars * 4 * spb);
  const int tail = SecondsToSamples(4.0);
  const auto total = static_cast<std::size_t>(length + tail);
  Samples left(total, 0.0f), right(total, 0.0f), sendL(total, 0.0f), sendR(total, 0.0f);
  // Notes of the same voice, pitch and length sound the same (as with a sampler), so each is
  // rendered once.
  std::map<std::tuple<int, int, double>, Samples> rendered;
  for (const Track& track : song.tracks) {
    // Constant-power pan.
    const double angle = (std::clamp(track.pan, -1.0, 1.0) + 1.0) * 0.25 * 3.141592653589793;
    const double gl = std::cos(angle) * track.gain;
    const double gr = std::sin(angle) * track.gain;
    for (const Note& note : track.notes) {
      const auto key = std::make_tuple(static_cast<int>(track.voice), note.midi, note.length);
      auto found = rendered.find(key);
      if (found == rendered.end()) {
        const std::uint64_t seed = 0x50E6 + static_cast<std::uint64_t>(rendered.size());
        found = rendered.emplace(key, RenderNote(track.voice, note, spb, seed)).first;
      }
      const Samples& voice = found->second;
      const int start = SecondsToSamples(note.beat * spb);
      for (std::size_t i = 0; i < voice.size(); ++i) {
        const std::size_t at = static_cast<std::size_t>(start) + i;
        if (at >= total) break;
        const double v = voice[i] * note.velocity;
        left[at] += static_cast<float>(v * gl);
        right[at] += static_cast<float>(v * gr);
        sendL[at] += static_cast<float>(v * gl * track.echo);
        sendR[at] += static_cast<float>(v * gr * track.echo);
      }
    }
  }
  // Ping-pong echo of a dotted eighth, darkened a little on every repeat.
  const auto delay = static_cast<std::size_t>(SecondsToSamples(spb * 0.75));
  double lpL = 0, lpR = 0;
  for (std::size_t i = delay; i < total; ++i) {
    lpL += 0.35 * (sendR[i - delay] - lpL);
    lpR += 0.35 * (sendL[i - delay] - lpR);
    sendL[i] += static_cast<float>(lpL * 0.42);
    sendR[i] += static_cast<float>(lpR * 0.42);
  }
  for (std::size_t i = 0; i < total; ++i) {
    left[i] += sendL[i] * 0.5f;
    right[i] += sendR[i] * 0.5f;
  }
  // Fold what rings on past the end back onto the start.
  for (int i = 0; i < tail; ++i) {
    left[static_cast<std::size_t>(i)] += left[static_cast<std::size_t>(length + i)];
    right[static_cast<std::size_t>(i)] += right[static_cast<std::size_t>(length + i)];
  }
  left.resize(static_cast<std::size_t>(length));
  right.resize(static_cast<std::size_t>(length));
  // Gentle saturation, then the final level.
  float m = 0;
  for (std::size_t i = 0; i < left.size(); ++i)
    m = std::max({m, std::abs(left[i]), std::abs(right[i])});
  const double pre = m > 0 ? 1.3 / m : 1.0;
  for (std::size_t i = 0; i < left.size(); ++i) {
    left[i] = static_cast<float>(std::tanh(left[i] * pre));
    right[i] = static_cast<float>(std::tanh(right[i] * pre));
  }
  // The game restarts the music after it has stopped, so it begins and ends with a few
  // milliseconds of fade: a soft dip at the loop point rather than a click.
  FadeEnds(left, 0.005, 0.01);
  FadeEnds(right, 0.005, 0.01);
  Stereo out{std::move(left), std::move(right)};
  float m2 = 0;
  for (std::size_t i = 0; i < out.left.size(); ++i) {
    m2 = std::max({m2, std::abs(out.left[i]), std::abs(out.right[i])});
  }
  const float f = m2 > 0 ? static_cast<float>(peak / m2) : 1.0f;
  for (std::size_t i = 0; i < out.left.size(); ++i) {
    out.left[i] *= f;
    out.right[i] *= f;
  }
  return out;
}

}  // namespace vormelda::datagen
