#include "platform/game_clock.hpp"

namespace vormelda {

void GameClock::SetSpeed(int speed, uint64_t realNs) {
  gameBase_ = Ns(realNs);
  realBase_ = realNs;
  speed_ = static_cast<uint64_t>(speed);
}

std::optional<uint64_t> GameClock::WakeFor(uint32_t reading, uint64_t realNs) const {
  const uint64_t nowMs = Ns(realNs) / kNsPerMs;
  const auto ahead = static_cast<int32_t>(reading - static_cast<uint32_t>(nowMs));
  if (ahead <= 0 || ahead > 1000) return std::nullopt;
  const uint64_t gameNs = (nowMs + static_cast<uint64_t>(ahead)) * kNsPerMs;
  return realBase_ + (gameNs - gameBase_) / speed_;
}

}  // namespace vormelda
