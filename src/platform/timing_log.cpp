#include "platform/timing_log.hpp"

#include <cstdlib>
#include <fstream>

#include "platform/system.hpp"

namespace vormelda {

std::unique_ptr<TimingLog> TimingLog::FromEnvironment() {
  const char* file = std::getenv("VORMELDA_TIMING_LOG");
  if (file == nullptr || *file == '\0') return nullptr;
  return std::make_unique<TimingLog>(file);
}

TimingLog::~TimingLog() {
  std::ofstream out(PathOf(file_), std::ios::binary);
  for (const Note& n : notes_) {
    if (n.caption.empty()) {
      out << "present " << n.start << ' ' << n.end << '\n';
    } else {
      out << "caption " << n.start << ' ' << n.caption << '\n';
    }
  }
}

}  // namespace vormelda
