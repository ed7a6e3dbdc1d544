// The system's services on Linux and other POSIX systems.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <new>

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

std::string LocalTimeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &local);
  return stamp;
}

long ResidentMemoryKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

std::filesystem::path PathOf(std::string_view utf8) {
  return std::filesystem::path(utf8);
}

std::string Utf8Of(const std::filesystem::path& path) {
  return path.string();
}

std::vector<std::string> ArgumentsUtf8(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void UseParentConsole() {}

StderrSilenced::StderrSilenced() : saved_(dup(STDERR_FILENO)) {
  std::fflush(stderr);
  const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (null >= 0) {
    dup2(null, STDERR_FILENO);
    close(null);
  }
}

StderrSilenced::~StderrSilenced() {
  if (saved_ < 0) return;
  std::fflush(stderr);
  dup2(saved_, STDERR_FILENO);
  close(saved_);
}

void* AllocateLargeBlock(size_t bytes, size_t alignment) {
  const size_t whole = (bytes + alignment - 1) / alignment * alignment;
  void* p = std::aligned_alloc(alignment, whole);
  if (p == nullptr) throw std::bad_alloc();
  madvise(p, whole, MADV_HUGEPAGE);  // only advice: where refused, small pages serve
  return p;
}

void FreeLargeBlock(void* block) noexcept {
  std::free(block);
}

}  // namespace vormelda
