// The system's clock, memory and files on Linux (and other POSIX desktops).
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fstream>

#include "platform/system.hpp"

namespace vormelda {

uint64_t MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000000000 + static_cast<uint64_t>(now.tv_nsec);
}

void SleepUntilNs(uint64_t wake) {
  const timespec at{static_cast<time_t>(wake / 1000000000), static_cast<long>(wake % 1000000000)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
  }
}

void SleepAboutNs(uint64_t ns) {
  SleepUntilNs(MonotonicNs() + ns);
}

long ResidentMemoryKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

void PlayerFilesChanged() {}

void OfferToPlayer(const std::string&) {}

}  // namespace vormelda
