#include "platform/limiter.hpp"

#include <algorithm>
#include <cmath>

namespace vormelda {

void Limiter::Process(int16_t* samples, int frames, int channels) {
  for (int f = 0; f < frames; ++f) {
    int16_t* frame = samples + f * channels;
    float peak = 0;
    for (int c = 0; c < channels; ++c) {
      peak = std::max(peak, std::abs(static_cast<float>(frame[c]) * kMakeUpGain));
    }
    gain_ = std::min(1.0f, gain_ + (1.0f - gain_) * release_);
    if (peak * gain_ > kCeiling) gain_ = kCeiling / peak;
    for (int c = 0; c < channels; ++c) {
      frame[c] = static_cast<int16_t>(std::lround(frame[c] * kMakeUpGain * gain_));
    }
  }
}

}  // namespace vormelda
