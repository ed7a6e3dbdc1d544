#include "platform/limiter.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace vormelda {
namespace {

constexpr int kRate = 44100;

TEST(Limiter, RaisesQuietSoundAndHoldsPeaksUnderTheCeiling) {
  const struct {
    int16_t left, right;
    int16_t outLeft, outRight;
  } kCases[] = {
      {0, 0, 0, 0},
      {1000, -1000, 1600, -1600},  // the make-up gain alone
      {18000, 0, 28800, 0},        // just under the ceiling
      {32767, 100, 29163, 89},     // the louder channel sets the gain of both
      {-32768, 0, -29163, 0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(::testing::Message() << c.left << "," << c.right);
    Limiter limiter(kRate);
    int16_t frame[2] = {c.left, c.right};
    limiter.Process(frame, 1, 2);
    EXPECT_NEAR(frame[0], c.outLeft, 1);
    EXPECT_NEAR(frame[1], c.outRight, 1);
    EXPECT_LE(std::abs(frame[0]), Limiter::kCeiling + 1);
  }
}

TEST(Limiter, LetsTheGainRecoverGraduallyAfterAPeak) {
  Limiter limiter(kRate);
  std::vector<int16_t> peak = {32767};
  limiter.Process(peak.data(), 1, 1);
  const float lowered = limiter.Gain();
  EXPECT_LT(lowered, 0.6f);
  std::vector<int16_t> quiet(kRate / 100, 1000);  // 10 ms
  limiter.Process(quiet.data(), static_cast<int>(quiet.size()), 1);
  EXPECT_GT(limiter.Gain(), lowered);
  EXPECT_LT(limiter.Gain(), 0.95f);             // not back at once
  std::vector<int16_t> later(kRate / 2, 1000);  // half a second more
  limiter.Process(later.data(), static_cast<int>(later.size()), 1);
  EXPECT_GT(limiter.Gain(), 0.999f);
  EXPECT_NEAR(later.back(), 1600, 1);
}

}  // namespace
}  // namespace vormelda
