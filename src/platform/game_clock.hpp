// The clock a window's game reads, apart from the system's clock: real time in nanoseconds, run a
// whole number of times as fast while a replay hurries, read in milliseconds as a 32-bit count
// that wraps.
#pragma once

#include <cstdint>
#include <optional>

namespace vormelda {

class GameClock {
 public:
  explicit GameClock(uint64_t realNs) : realBase_(realNs), gameBase_(realNs) {}
  uint64_t Ns(uint64_t realNs) const { return gameBase_ + (realNs - realBase_) * speed_; }
  uint32_t Ms(uint64_t realNs) const { return static_cast<uint32_t>(Ns(realNs) / kNsPerMs); }
  // From now on the clock runs `speed` times as fast as real time, going on from where it is.
  void SetSpeed(int speed, uint64_t realNs);
  // The real time at which the clock starts to read `reading`: nullopt when it already does, or
  // when that lies more than a second ahead (the count wrapped, or the reading is no deadline).
  std::optional<uint64_t> WakeFor(uint32_t reading, uint64_t realNs) const;

 private:
  static constexpr uint64_t kNsPerMs = 1000000;
  uint64_t realBase_;
  uint64_t gameBase_;
  uint64_t speed_ = 1;
};

}  // namespace vormelda
