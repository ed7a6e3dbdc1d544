// A measuring aid for the window's frame pacing (bench/window_bench.py): when the environment
// variable VORMELDA_TIMING_LOG names a file, the window notes the steady clock (MonotonicNs) at
// which every refresh starts and ends, and at which every caption is set, and writes them there
// when it closes, one line each: "present START END" or "caption AT TEXT", in nanoseconds.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vormelda {

class TimingLog {
 public:
  // Null unless the variable is set.
  static std::unique_ptr<TimingLog> FromEnvironment();
  explicit TimingLog(std::string file) : file_(std::move(file)) { notes_.reserve(1 << 16); }
  ~TimingLog();
  TimingLog(const TimingLog&) = delete;
  TimingLog& operator=(const TimingLog&) = delete;

  void Present(uint64_t start, uint64_t end) { notes_.push_back({start, end, {}}); }
  void Caption(uint64_t at, std::string_view text) {
    notes_.push_back({at, at, std::string(text)});
  }

 private:
  struct Note {
    uint64_t start, end;
    std::string caption;  // empty for a refresh
  };
  std::string file_;
  std::vector<Note> notes_;
};

}  // namespace vormelda
