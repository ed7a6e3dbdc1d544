#include "platform/game_clock.hpp"

#include <gtest/gtest.h>

#include <optional>

namespace vormelda {
namespace {

constexpr uint64_t kMs = 1000000;

TEST(GameClock, WakesWhenItReadsTheDeadlineAtAnySpeed) {
  const struct {
    const char* what;
    int speed;         // from 10 ms of real time on
    uint64_t now;      // real ns
    uint32_t reading;  // wanted
    uint32_t reads;    // what the clock reads now
    std::optional<uint64_t> wake;
  } kCases[] = {
      {"a reading ahead", 1, 5 * kMs + kMs / 2, 22, 5, 22 * kMs},
      {"a reading reached", 1, 22 * kMs, 22, 22, std::nullopt},
      {"a reading passed", 1, 30 * kMs, 22, 30, std::nullopt},
      {"more than a second ahead", 1, 0, 1002, 0, std::nullopt},
      {"exactly a second ahead", 1, 0, 1000, 0, 1000 * kMs},
      {"four times as fast", 4, 11 * kMs, 18, 14, 12 * kMs},
      {"four times as fast, far", 4, 11 * kMs, 54, 14, 21 * kMs},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    GameClock clock(0);
    clock.SetSpeed(c.speed, 10 * kMs);
    EXPECT_EQ(clock.Ms(c.now), c.reads);
    EXPECT_EQ(clock.WakeFor(c.reading, c.now), c.wake);
  }
}

TEST(GameClock, CountsOnAcrossTheWrapOfItsMilliseconds) {
  const uint64_t start = 0xFFFFFFFFull * kMs;
  GameClock clock(start);
  EXPECT_EQ(clock.Ms(start), 0xFFFFFFFFu);
  EXPECT_EQ(clock.Ms(start + kMs), 0u);
  EXPECT_EQ(clock.WakeFor(1, start), start + 2 * kMs);
}

}  // namespace
}  // namespace vormelda
