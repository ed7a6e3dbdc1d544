// The system's services that every POSIX system (Linux and the browser's) shares.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>

#include "platform/system.hpp"

namespace vormelda {

std::tm LocalTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
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
