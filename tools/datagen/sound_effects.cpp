#include "sound_effects.hpp"

#include <algorithm>

namespace vormelda::datagen {

namespace {

// Finishes an effect: peak level, then short fades so it neither starts nor ends with a click.
Samples Finish(Samples s, double peak) {
  Normalize(s, peak);
  FadeEnds(s, 0.002, 0.012);
  return s;
}

// One explosion: filtered noise whose cutoff falls, a falling sub thump and a little crackle.
struct Boom {
  double length = 1.0;    // seconds of the noise tail
  double cutoff0 = 4000;  // noise cutoff at the start and its end
  double cutoff1 = 200;
  double tau = 0.2;     // decay of the noise
  double thump0 = 120;  // sub thump glide
  double thump1 = 35;
  double thumpTau = 0.15;
  double thumpGain = 0.8;
  double crackle = 0.3;
  double crush = 0;  // sample-and-hold rate in Hz (0: none), the retro grit
  std::uint64_t seed = 1;
};

void AddBoom(Samples& out, int offset, const Boom& b, double gain) {
  Noise noise(b.seed);
  Noise crackleNoise(b.seed * 31 + 7);
  Svf lp(0.9);
  Osc thump(Osc::Wave::kSine);
  const int n = SecondsToSamples(b.length);
  double held = 0;
  double holdPhase = 0;
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double cutoff = b.cutoff1 + (b.cutoff0 - b.cutoff1) * std::exp(-t / (b.length * 0.3));
    lp.Process(noise.Next(), cutoff);
    double v = lp.Low() * Decay(t, b.tau) * std::min(1.0, t / 0.003);
    v += thump.Next(Glide(t, b.thump0, b.thump1, b.thumpTau * 0.7)) * Decay(t, b.thumpTau) *
         b.thumpGain;
    const double c = crackleNoise.Next();
    if (std::abs(c) > 0.996 - 0.004 * Decay(t, b.length * 0.4)) {
      v += c * b.crackle * Decay(t, b.length * 0.35);
    }
    if (b.crush > 0) {
      holdPhase += b.crush / kSampleRate;
      if (holdPhase >= 1.0) {
        holdPhase -= 1.0;
        held = std::round(v * 24.0) / 24.0;
      }
      v = held;
    }
    const std::size_t at = static_cast<std::size_t>(offset + i);
    if (at < out.size()) out[at] += static_cast<float>(v * gain);
  }
}

}  // namespace

Samples MakeShotSound() {
  // 70 ms: a pulse wave diving from 1.9 kHz, with a click of noise at its start.
  const int n = SecondsToSamples(0.07);
  Samples s(static_cast<std::size_t>(n));
  Osc pulse(Osc::Wave::kSquare, 0.25);
  Noise noise(0x5407);
  Svf lp;
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    double v = pulse.Next(Glide(t, 1900, 520, 0.03)) * Decay(t, 0.028);
    v += noise.Next() * Decay(t, 0.004) * 0.6;
    lp.Process(v, 7000);
    s[static_cast<std::size_t>(i)] = static_cast<float>(lp.Low());
  }
  return Finish(s, 0.5);
}

Samples MakeEnemyBlastSound() {
  Samples s(static_cast<std::size_t>(SecondsToSamples(0.6)));
  Boom b;
  b.length = 0.6;
  b.cutoff0 = 5000;
  b.cutoff1 = 300;
  b.tau = 0.12;
  b.thump0 = 160;
  b.thump1 = 45;
  b.thumpTau = 0.08;
  b.thumpGain = 0.7;
  b.crush = 14000;
  b.seed = 0xE1;
  AddBoom(s, 0, b, 1.0);
  return Finish(s, 0.85);
}

Samples MakePlayerBlastSound() {
  const int n = SecondsToSamples(1.4);
  Samples s(static_cast<std::size_t>(n));
  Boom b;
  b.length = 1.4;
  b.cutoff0 = 3500;
  b.cutoff1 = 150;
  b.tau = 0.35;
  b.thump0 = 110;
  b.thump1 = 30;
  b.thumpTau = 0.25;
  b.thumpGain = 0.9;
  b.crackle = 0.5;
  b.crush = 16000;
  b.seed = 0xB1;
  AddBoom(s, 0, b, 1.0);
  // A falling wail under the blast: the ship going down.
  Osc wail(Osc::Wave::kSquare, 0.4);
  Svf lp;
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    lp.Process(wail.Next(Glide(t, 900, 80, 0.35)) * Decay(t, 0.3), 2500);
    s[static_cast<std::size_t>(i)] += static_cast<float>(lp.Low() * 0.25);
  }
  return Finish(s, 0.9);
}

Samples MakePowerUpSound() {
  // A quick rising arpeggio (C E G C E) and a shimmering held top note.
  static constexpr int kNotes[] = {72, 76, 79, 84, 88};
  const int n = SecondsToSamples(0.6);
  Samples s(static_cast<std::size_t>(n));
  Osc osc(Osc::Wave::kSquare, 0.3);
  Osc osc2(Osc::Wave::kSquare, 0.5);
  constexpr double kStep = 0.045;
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const int k = std::min(4, static_cast<int>(t / kStep));
    const double local = t - k * kStep;
    const double vib = k == 4 ? 0.3 * std::sin(kTwoPi * 9.0 * t) : 0.0;
    const double hz = NoteHz(kNotes[k] + vib);
    const double env = k < 4 ? Decay(local, 0.06) : Decay(local, 0.16);
    const double v = osc.Next(hz) * 0.7 + osc2.Next(hz * 2.003) * 0.25;
    s[static_cast<std::size_t>(i)] = static_cast<float>(v * env);
  }
  // A soft echo.
  const int delay = SecondsToSamples(0.09);
  for (int i = n - 1; i >= delay; --i) {
    s[static_cast<std::size_t>(i)] += 0.35f * s[static_cast<std::size_t>(i - delay)];
  }
  return Finish(s, 0.7);
}

Samples MakeBombSound() {
  const int n = SecondsToSamples(2.6);
  Samples s(static_cast<std::size_t>(n));
  Boom b;
  b.length = 2.6;
  b.cutoff0 = 2500;
  b.cutoff1 = 80;
  b.tau = 0.8;
  b.thump0 = 80;
  b.thump1 = 24;
  b.thumpTau = 0.6;
  b.thumpGain = 1.0;
  b.crackle = 0.6;
  b.seed = 0xB0B;
  AddBoom(s, 0, b, 1.0);
  // The rush of air after the flash.
  Noise air(0xA1B);
  Svf bp(1.5);
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    bp.Process(air.Next(), Glide(t, 3000, 400, 0.5));
    s[static_cast<std::size_t>(i)] += static_cast<float>(bp.Band() * 0.35 * Decay(t, 0.6));
  }
  return Finish(s, 0.95);
}

Samples MakeLaunchSound() {
  // A heavy "vwoom": a low saw through a resonant filter that opens and closes, over a short
  // rising charge.
  const int n = SecondsToSamples(0.75);
  Samples s(static_cast<std::size_t>(n));
  Osc saw(Osc::Wave::kSaw);
  Osc saw2(Osc::Wave::kSaw, 0.5, 0.3);
  Osc charge(Osc::Wave::kSine);
  Svf lp(4.0);
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double hz = Glide(t, 130, 50, 0.25);
    const double cutoff = 250 + 2200 * std::sin(std::min(1.0, t / 0.5) * 3.14159) * Decay(t, 0.4);
    lp.Process(saw.Next(hz) + saw2.Next(hz * 1.01), cutoff);
    double v = lp.Low() * Adsr(t, 0.01, 0.2, 0.6, 0.15, 0.45) * 0.6;
    v += charge.Next(Glide(t, 1200, 300, 0.06)) * Decay(t, 0.05) * 0.5;
    s[static_cast<std::size_t>(i)] = static_cast<float>(v);
  }
  return Finish(s, 0.8);
}

Samples MakeBossBlastSound() {
  // A chain of blasts along the hull, then the big one and a long rumble.
  const int n = SecondsToSamples(4.8);
  Samples s(static_cast<std::size_t>(n));
  struct Hit {
    double at, gain;
  };
  static constexpr Hit kHits[] = {{0.0, 0.7}, {0.3, 0.6}, {0.55, 0.75}, {0.85, 0.6}, {1.2, 0.8}};
  std::uint64_t seed = 0xB05;
  for (const Hit& h : kHits) {
    Boom b;
    b.length = 1.0;
    b.cutoff0 = 4500;
    b.cutoff1 = 250;
    b.tau = 0.18;
    b.thump0 = 150;
    b.thump1 = 40;
    b.thumpTau = 0.12;
    b.crush = 15000;
    b.seed = seed++;
    AddBoom(s, SecondsToSamples(h.at), b, h.gain);
  }
  Boom big;
  big.length = 3.2;
  big.cutoff0 = 3000;
  big.cutoff1 = 70;
  big.tau = 1.0;
  big.thump0 = 90;
  big.thump1 = 22;
  big.thumpTau = 0.8;
  big.thumpGain = 1.1;
  big.crackle = 0.7;
  big.seed = 0xB16;
  AddBoom(s, SecondsToSamples(1.55), big, 1.2);
  return Finish(s, 0.93);
}

}  // namespace vormelda::datagen
