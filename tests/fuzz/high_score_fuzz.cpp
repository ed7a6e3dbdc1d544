// HighScore.ini as any file may hold it: read by the game's rules, never a crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "scenes/high_score_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const auto text = vormelda::ReadHighScoreText(content, vormelda::FixedFive("00000"));
  (void)vormelda::NumericValue(text);
  return 0;
}
