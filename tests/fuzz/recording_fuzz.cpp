// Recordings and input scripts from strangers (--replay, --verify, --input): anything is either
// read or refused with a reason, in bounded time and memory, never a crash.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>

#include "app/recording.hpp"
#include "platform/input_script.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    vormelda::ParseReplay(text);
  } catch (const std::runtime_error&) {
  }
  try {
    std::istringstream script(text);
    vormelda::ParseInputScript(script);
  } catch (const std::runtime_error&) {
  }
  return 0;
}
