#include "synth.hpp"

#include <algorithm>

namespace vormelda::datagen {

double Osc::Next(double hz) {
  const double dt = std::clamp(hz / kSampleRate, 0.0, 0.49);
  double v = 0;
  switch (wave_) {
    case Wave::kSine:
      v = std::sin(kTwoPi * phase_);
      break;
    case Wave::kSaw:
      v = 2.0 * phase_ - 1.0 - PolyBlep(phase_, dt);
      break;
    case Wave::kSquare: {
      v = phase_ < duty_ ? 1.0 : -1.0;
      v += PolyBlep(phase_, dt);
      double t2 = phase_ - duty_;
      if (t2 < 0) t2 += 1.0;
      v -= PolyBlep(t2, dt);
      break;
    }
    case Wave::kTriangle: {
      // Integrated band-limited square.
      double sq = phase_ < 0.5 ? 1.0 : -1.0;
      sq += PolyBlep(phase_, dt);
      double t2 = phase_ + 0.5;
      if (t2 >= 1.0) t2 -= 1.0;
      sq -= PolyBlep(t2, dt);
      tri_ = dt * sq * 4.0 + (1.0 - 0.0005) * tri_;
      v = tri_;
      break;
    }
  }
  phase_ += dt;
  if (phase_ >= 1.0) phase_ -= 1.0;
  return v;
}

void Svf::Process(double x, double cutoffHz) {
  // Coefficients follow the cutoff in steps of 0.2 %, which no one hears.
  if (std::abs(cutoffHz - cutoff_) > cutoff_ * 0.002) {
    cutoff_ = cutoffHz;
    const double fc = std::clamp(cutoffHz, 10.0, kSampleRate * 0.45);
    const double g = std::tan(3.141592653589793 * fc / kSampleRate);
    a1_ = 1.0 / (1.0 + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
  }
  const double v3 = x - ic2_;
  const double v1 = a1_ * ic1_ + a2_ * v3;
  const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
  ic1_ = 2 * v1 - ic1_;
  ic2_ = 2 * v2 - ic2_;
  low_ = v2;
  band_ = v1;
  high_ = x - k_ * v1 - v2;
}

double Adsr(double t, double attack, double decay, double sustain, double release, double hold) {
  auto level = [&](double u) {
    if (u < 0) return 0.0;
    if (u < attack) return u / attack;
    return sustain + (1.0 - sustain) * FastExp(-(u - attack) / decay);
  };
  if (t < hold) return level(t);
  return level(hold) * FastExp(-(t - hold) / release);
}

void FadeEnds(Samples& s, double fadeInSeconds, double fadeOutSeconds) {
  const int n = static_cast<int>(s.size());
  const int fin = std::min(n, SecondsToSamples(fadeInSeconds));
  const int fout = std::min(n, SecondsToSamples(fadeOutSeconds));
  for (int i = 0; i < fin; ++i) s[static_cast<std::size_t>(i)] *= static_cast<float>(i) / fin;
  for (int i = 0; i < fout; ++i) {
    s[static_cast<std::size_t>(n - 1 - i)] *= static_cast<float>(i) / fout;
  }
}

void Normalize(Samples& s, double peak) {
  float m = 0;
  for (float v : s) m = std::max(m, std::abs(v));
  if (m <= 0) return;
  const float f = static_cast<float>(peak / m);
  for (float& v : s) v *= f;
}

}  // namespace vormelda::datagen
