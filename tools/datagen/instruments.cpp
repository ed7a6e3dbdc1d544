// The instruments of the sequencer, one function of time per note.
#include <algorithm>
#include <cmath>

#include "sequencer.hpp"

namespace vormelda::datagen {

namespace {

// Samples a note for the given time; its last few milliseconds fade out, so a note never stops
// with a click.
Samples Render(double seconds, const auto& sample) {
  const int n = SecondsToSamples(seconds);
  Samples out(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    out[static_cast<std::size_t>(i)] =
        static_cast<float>(sample(static_cast<double>(i) / kSampleRate));
  }
  FadeEnds(out, 0.0, 0.006);
  return out;
}

}  // namespace

Samples RenderNote(Voice voice, const Note& note, double secondsPerBeat, std::uint64_t seed) {
  const double hold = note.length * secondsPerBeat;
  const double hz = NoteHz(note.midi);
  switch (voice) {
    case Voice::kLead: {
      // Two pulse waves, a touch apart, with a delayed vibrato.
      Osc a(Osc::Wave::kSquare, 0.25), b(Osc::Wave::kSquare, 0.5);
      Svf lp(0.8);
      AdsrEnvelope env(0.006, 0.25, 0.7, 0.08, hold);
      return Render(hold + 0.4, [&](double t) {
        const double vib =
            0.18 * std::sin(kTwoPi * 5.5 * t) * std::clamp((t - 0.15) / 0.2, 0.0, 1.0);
        const double f = NoteHz(note.midi + vib);
        lp.Process(a.Next(f) * 0.6 + b.Next(f * 1.004) * 0.4, 3800 + 2500 * Decay(t, 0.1));
        return lp.Low() * env.Next() * 0.32;
      });
    }
    case Voice::kBass: {
      Osc saw(Osc::Wave::kSaw), sub(Osc::Wave::kSine);
      Svf lp(1.2);
      AdsrEnvelope env(0.003, 0.18, 0.6, 0.04, hold);
      return Render(hold + 0.2, [&](double t) {
        lp.Process(saw.Next(hz), 260 + 1900 * Decay(t, 0.07));
        return (lp.Low() * 0.75 + sub.Next(hz) * 0.45) * env.Next() * 0.45;
      });
    }
    case Voice::kPad: {
      Osc a(Osc::Wave::kSaw, 0.5, 0.0), b(Osc::Wave::kSaw, 0.5, 0.33),
          c(Osc::Wave::kSaw, 0.5, 0.66);
      Svf lp(0.7);
      AdsrEnvelope env(0.09, 0.6, 0.75, 0.35, hold);
      return Render(hold + 1.6, [&](double) {
        const double v = a.Next(hz * 0.9954) + b.Next(hz) + c.Next(hz * 1.0046);
        lp.Process(v, 1300);
        return lp.Low() * env.Next() * 0.1;
      });
    }
    case Voice::kArp: {
      Osc sq(Osc::Wave::kSquare, 0.5);
      Svf lp;
      AdsrEnvelope env(0.002, 0.07, 0.0, 0.03, hold);
      return Render(hold + 0.15, [&](double) {
        lp.Process(sq.Next(hz), 3200);
        return lp.Low() * env.Next() * 0.2;
      });
    }
    case Voice::kBell: {
      Osc carrier(Osc::Wave::kSine), mod(Osc::Wave::kSine);
      return Render(2.2, [&](double t) {
        const double m = mod.Next(hz * 3.5) * 2.2 * Decay(t, 0.25);
        return carrier.Next(hz * (1.0 + 0.1 * m)) * Decay(t, 0.45) * std::min(1.0, t / 0.002) *
               0.28;
      });
    }
    case Voice::kKick: {
      Osc s(Osc::Wave::kSine);
      Noise click(seed);
      return Render(1.0, [&](double t) {
        return (s.Next(Glide(t, 170, 46, 0.028)) * Decay(t, 0.2) +
                click.Next() * Decay(t, 0.002) * 0.4) *
               0.85;
      });
    }
    case Voice::kSnare: {
      Noise n(seed);
      Osc tone(Osc::Wave::kSine);
      Svf bp(0.7);
      return Render(0.6, [&](double t) {
        bp.Process(n.Next(), 2200);
        return (bp.Band() * 1.3 * Decay(t, 0.12) +
                tone.Next(Glide(t, 260, 180, 0.02)) * Decay(t, 0.05) * 0.45) *
               0.55;
      });
    }
    case Voice::kHat:
    case Voice::kOpenHat: {
      Noise n(seed);
      Svf hp(0.9);
      const double tau = voice == Voice::kHat ? 0.028 : 0.13;
      return Render(tau * 6, [&](double t) {
        hp.Process(n.Next(), 7500);
        return hp.High() * Decay(t, tau) * 0.22;
      });
    }
    case Voice::kCrash: {
      Noise n(seed);
      Svf hp(0.6);
      return Render(3.5, [&](double t) {
        hp.Process(n.Next(), 4500);
        return hp.High() * Decay(t, 0.7) * std::min(1.0, t / 0.003) * 0.22;
      });
    }
    case Voice::kTom: {
      Osc s(Osc::Wave::kSine);
      return Render(0.8, [&](double t) {
        return s.Next(Glide(t, hz * 1.6, hz, 0.04)) * Decay(t, 0.16) * 0.6;
      });
    }
  }
  return {};
}

}  // namespace vormelda::datagen
