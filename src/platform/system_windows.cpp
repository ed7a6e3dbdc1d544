// The system's services on Windows. windows.h stays in this file and its Windows siblings: its
// macros (BitBlt, SRCCOPY, ...) would clash with the game's own names.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#define NOGDI
#define PSAPI_VERSION 2  // GetProcessMemoryInfo from kernel32
#include <windows.h>
// windows.h first
#include <fcntl.h>
#include <io.h>
#include <mmsystem.h>
#include <psapi.h>
#include <shellapi.h>

#include <malloc.h>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <new>

#include "platform/system.hpp"
#include "platform/windows_text.hpp"

namespace vormelda {

namespace windows {

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int wide = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring out(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), wide);
  return out;
}

std::string Utf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), bytes, nullptr, nullptr);
  return out;
}

}  // namespace windows

namespace {

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

// The timer the frame wait sleeps on: a high-resolution one where the system has it (Windows 10
// 1803 and later); elsewhere an ordinary one, with the system's timer at its finest period.
HANDLE FrameTimer() {
  static const HANDLE timer = [] {
    HANDLE t = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                      TIMER_ALL_ACCESS);
    if (t != nullptr) return t;
    TIMECAPS caps{};
    if (timeGetDevCaps(&caps, sizeof caps) == MMSYSERR_NOERROR) timeBeginPeriod(caps.wPeriodMin);
    return CreateWaitableTimerW(nullptr, TRUE, nullptr);
  }();
  return timer;
}

}  // namespace

uint64_t MonotonicNs() {
  static const uint64_t frequency = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return static_cast<uint64_t>(f.QuadPart);
  }();
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  const auto ticks = static_cast<uint64_t>(now.QuadPart);
  return ticks / frequency * 1000000000 + ticks % frequency * 1000000000 / frequency;
}

void SleepUntilNs(uint64_t wake) {
  // A timer ends its wait late now and then (by a millisecond and more on a busy machine, and
  // under Wine): it is set to end early by what it was lately late, at most kMostEarlyNs, and the
  // rest is waited out on the clock.
  constexpr uint64_t kMostEarlyNs = 1'000'000;
  static uint64_t lateNs = 0;
  const HANDLE timer = FrameTimer();
  const uint64_t until = wake - std::min(lateNs, kMostEarlyNs);
  uint64_t now = MonotonicNs();
  if (now < until) {
    // Relative due times are negative, in units of 100 ns.
    LARGE_INTEGER due{};
    due.QuadPart = -static_cast<LONGLONG>((until - now + 99) / 100);
    if (timer == nullptr || !SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
      Sleep(static_cast<DWORD>((until - now) / 1000000));
    } else {
      WaitForSingleObject(timer, INFINITE);
    }
    now = MonotonicNs();
    lateNs = std::max(now > until ? now - until : 0, lateNs - lateNs / 64);
  }
  while (now < wake) {
    YieldProcessor();
    now = MonotonicNs();
  }
}

void SleepAboutNs(uint64_t ns) {
  Sleep(static_cast<DWORD>(ns / 1000000));
}

std::tm LocalTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_s(&local, &now);
  return local;
}

long ResidentMemoryKb() {
  PROCESS_MEMORY_COUNTERS counters{};
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
  return static_cast<long>(counters.WorkingSetSize / 1024);
}

void PlayerFilesChanged() {}

void OfferToPlayer(const std::string&) {}

std::filesystem::path PathOf(std::string_view utf8) {
  return std::filesystem::path(windows::Wide(utf8));
}

std::string Utf8Of(const std::filesystem::path& path) {
  return windows::Utf8(path.native());
}

std::vector<std::string> ArgumentsUtf8(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(windows::Utf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

void UseParentConsole() {
  // Started from a console with nothing redirected: write there. Redirected output keeps going
  // where it was sent.
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out != nullptr && out != INVALID_HANDLE_VALUE) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  std::freopen("CONOUT$", "w", stdout);
  std::freopen("CONOUT$", "w", stderr);
}

StderrSilenced::StderrSilenced() : saved_(_dup(2)) {
  std::fflush(stderr);
  const int null = _open("NUL", _O_WRONLY);
  if (null >= 0) {
    _dup2(null, 2);
    _close(null);
  }
}

StderrSilenced::~StderrSilenced() {
  if (saved_ < 0) return;
  std::fflush(stderr);
  _dup2(saved_, 2);
  _close(saved_);
}

void* AllocateLargeBlock(size_t bytes, size_t alignment) {
  void* p = _aligned_malloc(bytes == 0 ? 1 : bytes, alignment);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

void FreeLargeBlock(void* block) noexcept {
  _aligned_free(block);
}

}  // namespace vormelda
