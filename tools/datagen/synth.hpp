// Sound building blocks at 44.1 kHz: oscillators, noise, filters and envelopes.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "rng.hpp"

namespace vormelda::datagen {

inline constexpr int kSampleRate = 44100;
inline constexpr double kTwoPi = 6.283185307179586;

using Samples = std::vector<float>;

// Band-limiting correction for a step in a naive waveform (PolyBLEP).
inline double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

// Phase-accumulating oscillator; the frequency may change every sample.
class Osc {
 public:
  enum class Wave { kSine, kSquare, kSaw, kTriangle };
  explicit Osc(Wave wave, double duty = 0.5, double phase = 0)
      : wave_(wave), duty_(duty), phase_(phase) {}
  void SetDuty(double duty) { duty_ = duty; }
  double Next(double hz);

 private:
  Wave wave_;
  double duty_;
  double phase_;
  double tri_ = 0;
};

// White noise in [-1, 1] from a seeded generator.
class Noise {
 public:
  explicit Noise(std::uint64_t seed) : rng_(seed) {}
  double Next() { return rng_.Unit() * 2.0 - 1.0; }

 private:
  Rng rng_;
};

// State-variable filter (topology-preserving form), cutoff may change every sample.
class Svf {
 public:
  explicit Svf(double q = 0.707) : k_(1.0 / q) {}
  void SetQ(double q) {
    k_ = 1.0 / q;
    cutoff_ = -1;
  }
  // Processes one sample; afterwards Low(), Band() and High() hold the outputs.
  void Process(double x, double cutoffHz);
  double Low() const { return low_; }
  double Band() const { return band_; }
  double High() const { return high_; }

 private:
  double k_;
  double cutoff_ = -1;  // coefficients below belong to this cutoff
  double a1_ = 0, a2_ = 0, a3_ = 0;
  double ic1_ = 0, ic2_ = 0;
  double low_ = 0, band_ = 0, high_ = 0;
};

// e^x for |x| < 700 (envelopes, glides, pitch); quicker than std::exp and, being plain
// arithmetic, the same on every machine.
inline double FastExp(double x) {
  if (x < -700.0) return 0.0;
  const double k = std::floor(x * 1.4426950408889634 + 0.5);
  const double r = x - k * 0.6931471805599453;
  const double p =
      1.0 +
      r * (1.0 + r * (0.5 + r * (1.0 / 6 +
                                 r * (1.0 / 24 + r * (1.0 / 120 + r * (1.0 / 720 + r / 5040))))));
  const auto bits = static_cast<std::uint64_t>(static_cast<std::int64_t>(k) + 1023) << 52;
  return p * std::bit_cast<double>(bits);
}

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
inline double NoteHz(double midi) {
  return 440.0 * FastExp((midi - 69.0) * 0.05776226504666211);
}

// Exponential decay with time constant tau seconds.
inline double Decay(double t, double tau) {
  return t < 0 ? 0.0 : FastExp(-t / tau);
}

// Attack-decay-sustain-release envelope of a note held for `hold` seconds.
double Adsr(double t, double attack, double decay, double sustain, double release, double hold);

// The same envelope stepped sample by sample (for the many notes of the music).
class AdsrEnvelope {
 public:
  AdsrEnvelope(double attack, double decay, double sustain, double release, double hold)
      : attackStep_(1.0 / std::max(1.0, attack * kSampleRate)),
        decayMul_(FastExp(-1.0 / (decay * kSampleRate))),
        releaseMul_(FastExp(-1.0 / (release * kSampleRate))),
        sustain_(sustain),
        holdSamples_(static_cast<long>(hold * kSampleRate)) {}
  double Next() {
    double v;
    if (n_ >= holdSamples_) {
      if (n_ == holdSamples_) released_ = Level();
      released_ *= releaseMul_;
      v = released_;
    } else {
      v = Level();
    }
    Advance();
    return v;
  }

 private:
  double Level() const { return rising_ < 1.0 ? rising_ : sustain_ + (1.0 - sustain_) * falling_; }
  void Advance() {
    ++n_;
    if (rising_ < 1.0) {
      rising_ = std::min(1.0, rising_ + attackStep_);
    } else {
      falling_ *= decayMul_;
    }
  }
  double attackStep_, decayMul_, releaseMul_, sustain_;
  long holdSamples_;
  long n_ = 0;
  double rising_ = 0, falling_ = 1, released_ = 0;
};

// Exponential glide from f0 to f1 with time constant tau.
inline double Glide(double t, double f0, double f1, double tau) {
  return f1 + (f0 - f1) * FastExp(-t / tau);
}

// Short linear fades at both ends, so a sound starts and stops without a click.
void FadeEnds(Samples& s, double fadeInSeconds, double fadeOutSeconds);

// Scales so the largest peak is `peak` (below 1, full scale).
void Normalize(Samples& s, double peak);

inline int SecondsToSamples(double seconds) {
  return static_cast<int>(std::lround(seconds * kSampleRate));
}

}  // namespace vormelda::datagen
