// The limiter on the mixed sound: the mix is brought back up by a make-up gain, and a peak over the
// ceiling (-1 dBFS) lowers the gain at once, which then recovers gradually (in about 80 ms).
#pragma once

#include <cstdint>

namespace vormelda {

class Limiter {
 public:
  static constexpr float kMakeUpGain = 1.6f;
  static constexpr float kCeiling = 0.89f * 32767;  // -1 dBFS

  explicit Limiter(int sampleRate) : release_(1.0f / (0.08f * static_cast<float>(sampleRate))) {}
  // Signed 16-bit samples, `channels` interleaved per frame, changed in place.
  void Process(int16_t* samples, int frames, int channels);
  float Gain() const { return gain_; }

 private:
  float release_;
  float gain_ = 1.0f;
};

}  // namespace vormelda
